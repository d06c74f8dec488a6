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
    EXPECT_EQ(game.Probe(s.dc), HIT_NONE) << "column 11 is kept black";
}

// Stage 5 of the same second draws the 600 stars of stage 1 and 400 after them.
TEST_F(FieldTest, EachStageAddsAHundredStarsAfterThoseOfTheSameSecond)
{
    Surface s;
    CGame game;
    for (int i = 0; i < 4; ++i)
        game.Advance(s.dc, HIT_GOAL);
    EXPECT_TRUE(SameImage(s.Pixels(), ExpectedField(nSecond, 1000, "stage 5", "score 1000")));
    m_runtime.SetTime(nSecond + 1);
    game.DrawField(s.dc);
    EXPECT_TRUE(SameImage(s.Pixels(), ExpectedField(nSecond + 1, 1000, "stage 5", "score 1000")));
}

} // namespace
