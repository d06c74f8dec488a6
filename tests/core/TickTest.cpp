// The rules of one tick: probe classes, and the exact effects of each Advance branch and of Reverse.
#include "CGame.h"
#include "CoreTestSupport.h"

#include <tuple>

namespace {

using TickTest = CoreTest;

// x, y, dy, score, stage
std::tuple<int, int, int, int, int> State(const CGame& game)
{
    return {game.GetX(), game.GetY(), game.GetDY(), game.GetScore(), game.GetStage()};
}

TEST_F(TickTest, ProbeFreesOnlyExactBlackAndFindsTheGoalOnlyOnExactBlue)
{
    Surface s;
    CGame game; // head at (11, 199)
    const std::pair<COLORREF, HitResult> cases[] = {
        {0x000000, HIT_NONE},  {0xff0000, HIT_GOAL},  {0x00ffff, HIT_CRASH}, {0x00ff00, HIT_CRASH},
        {0xffffff, HIT_CRASH}, {0x0000ff, HIT_CRASH}, {0xfe0000, HIT_CRASH}, {0x000001, HIT_CRASH}};
    for (const auto& [cr, hit] : cases) {
        s.dc.SetPixel(11, 199, cr);
        EXPECT_EQ(game.Probe(s.dc), hit) << std::hex << cr;
    }
    CBitmap tiny;
    tiny.CreateBitmap(10, 10);
    s.dc.SelectObject(&tiny);
    EXPECT_EQ(game.Probe(s.dc), HIT_CRASH) << "outside the surface";
}

// After ten flips the direction is down again and the score -100; the first
// clear tick then shows -99 over the longer "score -100" with no digit left.
TEST_F(TickTest, ClearTickPlotsTheTrailMovesAndRewritesTheScore)
{
    Surface s, expected;
    CGame game;
    for (int i = 0; i < 10; ++i)
        game.Reverse();
    EXPECT_EQ(State(game), std::tuple(11, 199, 2, -100, 1));
    game.DrawField(s.dc);
    expected.dc.BitBlt(0, 0, 640, 400, &s.dc, 0, 0, SRCCOPY);
    expected.dc.SetPixel(11, 199, 0x0000ff);
    expected.dc.TextOut(30, 380, "score -99       ");
    game.Advance(s.dc, game.Probe(s.dc));
    EXPECT_EQ(State(game), std::tuple(12, 201, 2, -99, 1));
    EXPECT_TRUE(SameImage(s.Pixels(), expected.Pixels()));
}

TEST_F(TickTest, GoalRestartsTheHeadAddsTheStageBonusAndDrawsTheNextStage)
{
    Surface s;
    CGame game;
    game.DrawField(s.dc);
    game.Reverse();
    for (int i = 0; i < 3; ++i)
        game.Advance(s.dc, HIT_NONE);
    ASSERT_EQ(game.GetY(), 193);
    game.Advance(s.dc, HIT_GOAL);
    EXPECT_EQ(State(game), std::tuple(11, 199, 2, -7 + 100, 2));
    EXPECT_TRUE(SameImage(s.Pixels(), ExpectedField(nSecond, 700, "stage 2", "score 93")));
}

// A new field wipes the trail; the sprite past the right edge is clipped,
// not wrapped into the next row.
TEST_F(TickTest, CrashOnTheRightGateDrawsTheClippedSpriteAndChangesNoField)
{
    Surface s;
    CGame game;
    game.LoadBitmaps();
    for (int i = 0; i < 616; ++i) {
        if (i % 2 == 1)
            game.Reverse();
        game.Advance(s.dc, HIT_NONE);
    }
    ASSERT_EQ(State(game), std::tuple(627, 199, 2, -2464, 1));
    game.DrawField(s.dc);
    const Image before = s.Pixels();
    EXPECT_TRUE(SameImage(before, ExpectedField(nSecond, 600, "stage 1", "score -2464")));
    ASSERT_EQ(game.Probe(s.dc), HIT_GOAL);
    game.Advance(s.dc, HIT_CRASH);
    EXPECT_TRUE(SameImage(s.Pixels(), WithSprite(before, 611, 183)));
    EXPECT_EQ(State(game), std::tuple(627, 199, 2, -2464, 1));
}

} // namespace
