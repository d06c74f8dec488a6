// Surfaces and expected playfield images for the core tests, built from the layout's own numbers.
#pragma once

#include "Bitmap.h"
#include "DC.h"
#include "Runtime.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using Image = std::vector<COLORREF>; // 640 x 400, row by row

// A 640 x 400 black surface selected into a memory context.
struct Surface {
    CBitmap bmp;
    CDC dc;
    Surface();
    Image Pixels() const;
};

// The field a game at the given clock second, star count and labels should
// draw: frame, stars from the C library seeded with the second, safe blocks,
// gates; the label rows come from reference text drawn on its own surface.
Image ExpectedField(unsigned nSecond, int nStars, const std::string& strStage, const std::string& strScore);
// The crash sprite blitted by hand onto a copy of the background at (x, y).
Image WithSprite(Image image, int x, int y);
testing::AssertionResult SameImage(const Image& actual, const Image& expected);

// Installs a fixed clock for the test's games.
class CoreTest : public testing::Test {
public:
    static constexpr unsigned nSecond = 1234567;

protected:
    void SetUp() override { m_pPrevious = SetRuntime(&m_runtime); }
    void TearDown() override { SetRuntime(m_pPrevious); }

    CFixedClockRuntime m_runtime{nSecond};
    IRuntime* m_pPrevious = nullptr;
};
