// The main frame's fixed sizes, window settings, timer and texts.
#pragma once

#include "WinTypes.h"

// Title bar, and the caption of every box the game opens.
constexpr const char* FRAME_TITLE = "Vantrel Ver0.2";
// Fixed size: caption, system menu and minimise box, no sizing border.
constexpr std::uint32_t FRAME_STYLE = WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;

// The one game timer: a tick every 20 ms while a game runs.
constexpr UINT_PTR TICK_TIMER = 1;
constexpr UINT TICK_PERIOD_MS = 20;

// Played on a crash: the file of this name in the current directory, else the one in the installed data.
constexpr const char* CRASH_SOUND = "clash.wav";

constexpr const char* TEXT_START = "Hit anykey to Start!";
constexpr const char* TEXT_STAGE_CLEAR = "Congratulations! Go to Next Stage.";
constexpr const char* TEXT_GAME_OVER = "GameOver( ; _ ; )/~~~";
constexpr const char* TEXT_QUIT = "Do you quit Game?";
