// The drawn playfield: exact pixel layout, star counts per stage, fields of the same second.
#include "CGame.h"
#include "CoreTestSupport.h"

namespace {

using FieldTest = CoreTest;

TEST_F(FieldTest, StageOneIsFrameGatesSafeBlocksSixHundredStarsAndLabels)
{
    Surface s;
    CGame game;
    game.DrawField(s.dc);
    EXPECT_TRUE(SameImage(s.Pixels(), ExpectedField(nSecond, 600, "stage 1", "score 0")));
    for (int y = 21; y <= 376; ++y)
        ASSERT_EQ(s.dc.GetPixel(11, y), 0u) << "column 11 row " << y;
    EXPECT_EQ(game.Probe(s.dc), HIT_NONE);
}

TEST_F(FieldTest, EachClearedStageAddsAHundredStars)
{
    Surface s;
    CGame game;
    game.DrawField(s.dc);
    for (int i = 0; i < 4; ++i)
        game.Advance(s.dc, HIT_GOAL);
    EXPECT_TRUE(SameImage(s.Pixels(), ExpectedField(nSecond, 1000, "stage 5", "score 1000")));
}

TEST_F(FieldTest, FieldsOfTheSameSecondShareTheirStars)
{
    Surface first, second, later;
    CGame game;
    game.DrawField(first.dc);
    game.Advance(second.dc, HIT_GOAL);
    m_runtime.SetTime(nSecond + 1);
    game.DrawField(later.dc);
    int nStarPixels = 0, nLost = 0, nMoved = 0;
    for (int y = 21; y <= 376; ++y)
        for (int x = 11; x <= 626; ++x)
            if (first.dc.GetPixel(x, y) == 0x00ffff) {
                ++nStarPixels;
                nLost += second.dc.GetPixel(x, y) != 0x00ffff;
                nMoved += later.dc.GetPixel(x, y) != 0x00ffff;
            }
    EXPECT_GT(nStarPixels, 1000);
    EXPECT_EQ(nLost, 0) << "stage 2 of the same second keeps every star of stage 1";
    EXPECT_GT(nMoved, nStarPixels / 2) << "the next second seeds other stars";
}

} // namespace
