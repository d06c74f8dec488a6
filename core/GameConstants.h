// The game's compiled-in numbers: colours, start, scoring, star field, labels, sprite.
#pragma once

#include "WinTypes.h"

#include <cstdint>

// Size of the playfield surface.
constexpr int nFieldWidth = 640;
constexpr int nFieldHeight = 400;

// Colours of the playfield; the rules read them back as the collision map, so
// only exact black is free and only exact blue is the goal.
constexpr COLORREF crBlack = RGB(0, 0, 0);
constexpr COLORREF crWhite = RGB(255, 255, 255);
constexpr COLORREF crRed = RGB(255, 0, 0);
constexpr COLORREF crGreen = RGB(0, 255, 0);
constexpr COLORREF crBlue = RGB(0, 0, 255);
constexpr COLORREF crYellow = RGB(255, 255, 0);

// The head starts in column 11, which every field keeps black, on the middle
// row of the gates, moving down. Starting odd and moving by 2, it only visits odd rows.
constexpr std::int16_t nFirstStage = 1;
constexpr std::int16_t nStartX = 11;
constexpr std::int16_t nStartY = 199;
constexpr std::int16_t nStartDY = 2;

// Scoring: +1 per tick survived, -nFlipCost per flip, +nStageBonus x stage per stage cleared.
constexpr std::int32_t nTickPoints = 1;
constexpr std::int32_t nFlipCost = 10;
constexpr std::int32_t nStageBonus = 100;

// Star field: (stage - 1) x nStarsPerStage + nStarsFirstStage stars, each a
// nStarSize-square dot at x = rand() % nStarXRange + nStarXMin, then
// y = rand() % nStarYRange + nStarYMin.
constexpr int nStarsFirstStage = 600;
constexpr int nStarsPerStage = 100;
constexpr int nStarXRange = 615;
constexpr int nStarXMin = 12;
constexpr int nStarYRange = 355;
constexpr int nStarYMin = 22;
constexpr int nStarSize = 2;

// Pen widths of the figures.
constexpr int nThinPen = 1;
constexpr int nWidePen = 2;

// Labels, white on black, placed by their top-left corners. The per-tick
// score ends in seven spaces that overwrite the digits of a longer score.
constexpr POINT ptTitleLabel = {270, 0};
constexpr POINT ptStageLabel = {550, 380};
constexpr POINT ptScoreLabel = {30, 380};
constexpr char szTitleLabel[] = "vantrel";
constexpr char szStageFormat[] = "stage %d";
constexpr char szScoreFormat[] = "score %d";
constexpr char szTickScoreFormat[] = "score %d       ";

// The crash sprite: a square image and mask centred on the head.
constexpr int nCrashSize = 32;
constexpr int nCrashOffset = 16;
