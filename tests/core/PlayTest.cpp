// Whole games: a game without flips crashes where the field predicts, the solver clears stages, the runner's options.
#include "CFlipSolver.h"
#include "CGame.h"
#include "CSimRunner.h"
#include "CoreTestSupport.h"

#include <sstream>

namespace {

using PlayTest = CoreTest;

SimOptions Options(bool bSolve, int nStages)
{
    SimOptions options;
    options.tSeed = CoreTest::nSecond;
    options.bSolve = bSolve;
    options.nStages = nStages;
    return options;
}

// Going down 2 rows per column from (11, 199), the head crashes on the first
// non-black pixel of its diagonal: a star, or at the latest frame row 377.
TEST_F(PlayTest, GameWithoutFlipsCrashesWhereTheFieldPredicts)
{
    const Image field = ExpectedField(nSecond, 600, "stage 1", "score 0");
    int t = 0;
    while (field[(199 + 2 * t) * 640 + 11 + t] == 0)
        ++t;
    ASSERT_LE(t, 89);
    std::ostringstream log;
    EXPECT_EQ(FormatSimResult(CSimRunner(Options(false, 0)).Run(log)),
              "result: stage=1 score=" + std::to_string(t) + " ticks=" + std::to_string(t + 1) + " flips=0 end=crash");
}

TEST_F(PlayTest, SolvedGameClearsThreeStagesWithThePredictedScore)
{
    std::ostringstream log;
    const SimResult result = CSimRunner(Options(true, 3)).Run(log);
    EXPECT_EQ(result.nTicks, 3 * 617);
    EXPECT_EQ(result.nStage, 4);
    EXPECT_EQ(result.nScore, 3 * 616 - 10 * result.nFlips + 100 + 200 + 300);
    EXPECT_EQ(result.end, SimResult::End::Stopped);
}

// A corridor of rows 197-201 up to the gate lets the head through only by
// turning at every even column: 308 flips, and the plan played reaches the gate.
TEST_F(PlayTest, SolverFindsTheFewestFlipsOrNone)
{
    Surface s;
    for (int y = 0; y < 400; ++y)
        for (int x = 0; x < 640; ++x)
            s.dc.SetPixel(x, y, y < 197 || y > 201 || x > 627 ? 0x00ff00 : x == 627 ? 0xff0000 : 0x000000);
    CFlipSolver solver;
    s.dc.SetPixel(300, 197, 0x00ff00);
    s.dc.SetPixel(300, 201, 0x00ff00);
    EXPECT_FALSE(solver.Solve(s.dc, 11, 199, 2)) << "a wall across the corridor";
    s.dc.SetPixel(300, 197, 0x000000);
    s.dc.SetPixel(300, 201, 0x000000);
    const auto plan = solver.Solve(s.dc, 11, 199, 2);
    ASSERT_TRUE(plan);
    EXPECT_EQ(plan->size(), 308u);
    CGame game;
    HitResult hit = HIT_NONE;
    for (int t = 0; hit == HIT_NONE; ++t) {
        if (std::count(plan->begin(), plan->end(), t))
            game.Reverse();
        game.Advance(s.dc, hit = game.Probe(s.dc));
    }
    EXPECT_EQ(hit, HIT_GOAL);
}

TEST(SimOptionsTest, RejectsMalformedCommandLines)
{
    const std::vector<std::vector<const char*>> bad = {{"sim"}, {"sim", "--seed", "x"}, {"sim", "--seed", "1", "--stages", "0"},
        {"sim", "--seed", "1", "--flips", "3,,4"}, {"sim", "--seed", "1", "--solve", "--flips", "2"}, {"sim", "--seed", "1", "--fast"}};
    for (const auto& args : bad)
        EXPECT_FALSE(ParseSimOptions(int(args.size()), args.data())) << args.back();
    const char* good[] = {"sim", "--seed", "5", "--flips", "9,2", "--stages", "2", "--png", "a.png"};
    EXPECT_EQ(ParseSimOptions(9, good).value().vecFlips, (std::vector<long long>{2, 9}));
}

} // namespace
