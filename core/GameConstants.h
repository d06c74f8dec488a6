// The game's compiled-in numbers: colours, start, scoring, star field, labels, sprite.
#pragma once

#include "WinTypes.h"

#include <cstdint>

// Size of the playfield surface.
constexpr int nFieldWidth = 640;
constexpr int nFieldHeight = 400;

// Colours of the playfield; the rules read them back as the collision map, so
// only exact black is free and only exact blue is the goal.
constexpr COLORREF COLOR_BLACK = RGB(0, 0, 0);
constexpr COLORREF COLOR_WHITE = RGB(255, 255, 255);
constexpr COLORREF COLOR_RED = RGB(255, 0, 0);
constexpr COLORREF COLOR_GREEN = RGB(0, 255, 0);
constexpr COLORREF COLOR_BLUE = RGB(0, 0, 255);
constexpr COLORREF COLOR_YELLOW = RGB(255, 255, 0);

// The head starts in column 11, which every field keeps black, on the middle
// row of the gates, moving down. Starting odd and moving by 2, it only visits odd rows.
constexpr std::int16_t FIRST_STAGE = 1;
constexpr std::int16_t nStartX = 11;
constexpr std::int16_t nStartY = 199;
constexpr std::int16_t nStartDY = 2;

// Scoring: +1 per tick survived, -FLIP_COST per flip, +STAGE_BONUS x stage per stage cleared.
constexpr std::int32_t TICK_POINTS = 1;
constexpr std::int32_t FLIP_COST = 10;
constexpr std::int32_t STAGE_BONUS = 100;

// Star field: (stage - 1) x STARS_PER_STAGE + STARS_FIRST_STAGE stars, each a
// STAR_SIZE-square dot at x = rand() % STAR_X_RANGE + STAR_X_MIN, then
// y = rand() % STAR_Y_RANGE + STAR_Y_MIN.
constexpr int STARS_FIRST_STAGE = 600;
constexpr int STARS_PER_STAGE = 100;
constexpr int STAR_X_RANGE = 615;
constexpr int STAR_X_MIN = 12;
constexpr int STAR_Y_RANGE = 355;
constexpr int STAR_Y_MIN = 22;
constexpr int STAR_SIZE = 2;

// Pen widths of the figures.
constexpr int THIN_PEN = 1;
constexpr int WIDE_PEN = 2;

// Labels, white on black, placed by their top-left corners. The per-tick
// score ends in seven spaces that overwrite the digits of a longer score.
constexpr POINT TITLE_LABEL_POS = {270, 0};
constexpr POINT STAGE_LABEL_POS = {550, 380};
constexpr POINT SCORE_LABEL_POS = {30, 380};
constexpr char TITLE_LABEL[] = "vantrel";
constexpr char STAGE_FORMAT[] = "stage %d";
constexpr char SCORE_FORMAT[] = "score %d";
constexpr char TICK_SCORE_FORMAT[] = "score %d       ";

// The crash sprite: a square image and mask centred on the head.
constexpr int CRASH_SIZE = 32;
constexpr int CRASH_OFFSET = 16;
