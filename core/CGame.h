// One game: stage, head position, direction, score and the crash sprite, with the rules of a tick.
#pragma once

#include "Bitmap.h"
#include "HitResult.h"
#include "WinTypes.h"

#include <cstdint>

class CDC;
class IRuntime;

// The rules read and write the playfield only through a drawing context whose
// surface is the 640 x 400 back buffer. Calling order in a game: Reset,
// DrawField, then per tick Probe and Advance with its result; Reverse may come
// at any time between ticks.
class CGame {
public:
    // Empty crash bitmaps, then Reset. The star field draws from runtime's clock and generator.
    explicit CGame(IRuntime& runtime);
    // The same on the process-wide runtime.
    CGame();

    // Stage 1, head at the start moving down, score 0; the crash bitmaps are kept.
    void Reset();
    // Flips the vertical direction for 10 points; draws nothing.
    void Reverse();
    // Classifies the pixel under the head.
    HitResult Probe(const CDC& dc) const;
    // Acts on a probe result: move and plot the trail, start the next stage, or
    // draw the crash sprite. Any other value does nothing.
    void Advance(CDC& dc, HitResult hit);
    // Draws the complete playfield of the current stage and score. The context
    // holds its entry pen and brush again on return; no field changes.
    void DrawField(CDC& dc) const;
    // Loads the crash image and mask from the program's resources.
    void LoadBitmaps();
    void FreeBitmaps();

    std::int32_t GetScore() const { return m_nScore; }
    std::int16_t GetStage() const { return m_nStage; }
    std::int16_t GetX() const { return m_nX; }
    std::int16_t GetY() const { return m_nY; }
    std::int16_t GetDY() const { return m_nDY; }

    // The probe rule for one colour: exact black is free, exact blue the goal,
    // anything else (including an invalid read) a crash.
    static HitResult Classify(COLORREF cr);

private:
    void MoveHead(CDC& dc);
    void ClearStage(CDC& dc);
    void DrawCrash(CDC& dc);
    void DrawStars(CDC& dc) const;
    void DrawLabels(CDC& dc) const;

    IRuntime& m_runtime;
    std::int16_t m_nStage = 0;
    std::int16_t m_nX = 0;
    std::int16_t m_nY = 0;
    std::int16_t m_nDY = 0;
    std::int32_t m_nScore = 0;
    CBitmap m_bmpCrash;
    CBitmap m_bmpCrashMask;
};
