// The game core: probe classes, each Advance branch and Reverse as exact field images. Whole headless games, the solver
// and the runner are checked by the runner's own ctest line, the shell tests and the soak runs.
#include "CGame.h"
#include "FixedClockRuntime.h"
#include "GlibcRandom.h"
#include "SurfaceCheck.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <tuple>
#include <vector>

namespace {

using Image = std::vector<COLORREF>; // 640 x 400, row by row

// The field a game at the given clock second, star count and labels should draw: frame, stars from the GNU C
// library's generator seeded with the second, safe blocks, gates; the label rows from reference text on its own
// surface.
Image ExpectedField(unsigned nSecond, int nStars, const std::string& strStage, const std::string& strScore)
{
    Image image(640UL * 400, 0);
    const auto fill = [&](int x1, int y1, int x2, int y2, COLORREF cr) { // inclusive corners
        for (int y = y1; y <= y2; ++y)
            std::fill_n(&image[y * 640 + x1], x2 - x1 + 1, cr);
    };
    fill(9, 19, 628, 378, 0x00ff00);
    fill(11, 21, 626, 376, 0);
    CGlibcRandom random;
    random.Seed(nSecond);
    for (int i = 0; i < nStars; ++i) {
        const int x = random.Next() % 615 + 12;
        const int y = random.Next() % 355 + 22;
        fill(x, y, x + 1, y + 1, 0x00ffff);
    }
    fill(12, 169, 16, 228, 0);
    fill(622, 169, 626, 228, 0);
    fill(9, 178, 10, 218, 0xff0000);
    fill(627, 178, 628, 218, 0xff0000);
    Surface labels;
    labels.dc.TextOut(270, 0, "vantrel");
    labels.dc.TextOut(550, 380, strStage);
    labels.dc.TextOut(30, 380, strScore);
    for (int i = 0; i < 640 * 400; ++i)
        if (i < 19 * 640 || i >= 379 * 640) // the label rows outside the frame
            image[i] = labels.dc.GetPixel(i % 640, i / 640);
    return image;
}

// The crash sprite blitted by hand onto a copy of the background at (x, y): the burst's pixels wherever the mask is
// black, clipped to the surface.
Image WithSprite(Image image, int x0, int y0)
{
    CBitmap burst, mask;
    burst.LoadBitmap(106);
    mask.LoadBitmap(110);
    for (int i = 0; i < 32 * 32; ++i) {
        const int x = x0 + i % 32, y = y0 + i / 32;
        if (x >= 0 && x < 640 && y >= 0 && y < 400 && CBitmap::FromPixel(mask.Bits()[i]) == 0)
            image[y * 640 + x] = CBitmap::FromPixel(burst.Bits()[i]);
    }
    return image;
}

constexpr unsigned nSecond = 1234567;

class GameTest : public testing::Test {
protected:
    CFixedClockRuntime m_runtime{nSecond};
};

// x, y, dy, score, stage
std::tuple<int, int, int, int, int> State(const CGame& game)
{
    return {game.GetX(), game.GetY(), game.GetDY(), game.GetScore(), game.GetStage()};
}

TEST_F(GameTest, ProbeFreesOnlyExactBlackAndFindsTheGoalOnlyOnExactBlue)
{
    Surface s;
    CGame game(m_runtime); // head at (11, 199)
    const std::pair<COLORREF, HitResult> cases[] = {{0x000000, HIT_NONE},  {0xff0000, HIT_GOAL},  {0x00ffff, HIT_CRASH},
                                                    {0x00ff00, HIT_CRASH}, {0xffffff, HIT_CRASH}, {0x0000ff, HIT_CRASH},
                                                    {0xfe0000, HIT_CRASH}, {0x000001, HIT_CRASH}};
    for (const auto& [cr, hit] : cases) {
        s.dc.SetPixel(11, 199, cr);
        EXPECT_EQ(game.Probe(s.dc), hit) << std::hex << cr;
    }
    CBitmap tiny;
    tiny.CreateBitmap(10, 10);
    s.dc.SelectObject(&tiny);
    EXPECT_EQ(game.Probe(s.dc), HIT_CRASH) << "outside the surface";
}

// Ten flips leave the direction down and the score -100; a free tick plots the trail and shows -99 over the longer
// "score -100" with no digit left. A goal restarts the head with the stage bonus; the next stage's stars are those of
// the same second's smaller stages and 100 more a stage.
TEST_F(GameTest, FreeTickPlotsMovesAndRewritesTheScoreAndAGoalDrawsTheNextStage)
{
    Surface s, expected;
    CGame game(m_runtime);
    for (int i = 0; i < 10; ++i)
        game.Reverse();
    EXPECT_EQ(State(game), std::tuple(11, 199, 2, -100, 1));
    game.DrawField(s.dc);
    expected.dc.BitBlt(0, 0, 640, 400, &s.dc, 0, 0, SRCCOPY);
    expected.dc.SetPixel(11, 199, 0x0000ff);
    expected.dc.TextOut(30, 380, "score -99       ");
    game.Advance(s.dc, game.Probe(s.dc));
    EXPECT_EQ(State(game), std::tuple(12, 201, 2, -99, 1));
    EXPECT_TRUE(SurfaceIs(s.dc, [&](int x, int y) { return expected.dc.GetPixel(x, y); }));

    game.Reverse();
    game.Advance(s.dc, HIT_NONE);
    EXPECT_EQ(State(game), std::tuple(13, 199, -2, -108, 1));
    game.Advance(s.dc, HIT_GOAL);
    EXPECT_EQ(State(game), std::tuple(11, 199, 2, -108 + 100, 2));
    EXPECT_TRUE(SurfaceIs(s.dc, ExpectedField(nSecond, 700, "stage 2", "score -8")));
    m_runtime.SetTime(nSecond + 1);
    for (int i = 0; i < 3; ++i)
        game.Advance(s.dc, HIT_GOAL);
    EXPECT_TRUE(SurfaceIs(s.dc, ExpectedField(nSecond + 1, 1000, "stage 5", "score 892")));
}

// A new field wipes the trail and shows stage 1 exactly (column 11 black); the sprite past the right edge is clipped,
// not wrapped into the next row.
TEST_F(GameTest, CrashOnTheRightGateDrawsTheClippedSpriteAndChangesNoField)
{
    Surface s;
    CGame game(m_runtime);
    game.LoadBitmaps();
    for (int i = 0; i < 616; ++i) {
        if (i % 2 == 1)
            game.Reverse();
        game.Advance(s.dc, HIT_NONE);
    }
    ASSERT_EQ(State(game), std::tuple(627, 199, 2, -2464, 1));
    game.DrawField(s.dc);
    const Image field = ExpectedField(nSecond, 600, "stage 1", "score -2464");
    EXPECT_TRUE(SurfaceIs(s.dc, field));
    ASSERT_EQ(game.Probe(s.dc), HIT_GOAL);
    game.Advance(s.dc, HIT_CRASH);
    EXPECT_TRUE(SurfaceIs(s.dc, WithSprite(field, 611, 183)));
    EXPECT_EQ(State(game), std::tuple(627, 199, 2, -2464, 1));
}

} // namespace
