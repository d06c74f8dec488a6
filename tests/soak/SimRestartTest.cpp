// The headless runner's restarts: a game that reaches a field with no way through is followed by new ones.
#include "CSimRunner.h"

#include <gtest/gtest.h>

#include <sstream>

namespace {

// With the clock at second 25 the solver clears 142 stages, and stage 143
// has no way to the gate (each stage adds stars to the same field).
TEST(SimRestartTest, CountsClearedStagesOverGamesEachOneSecondLater)
{
    const char* args[] = {"sim", "--seed", "25", "--solve", "--restart", "--stages", "145", "--rss-at", "10"};
    SimOptions options = ParseSimOptions(9, args).value();
    std::ostringstream log;
    const SimResult result = CSimRunner(options).Run(log);

    // The second game, drawn from the next second, clears the three left.
    EXPECT_EQ(result.end, SimResult::End::Stopped);
    EXPECT_EQ(result.nStage, 4);
    const std::string text = log.str();
    EXPECT_NE(text.find("restart: crash at stage 143, new game at second 26\n"), std::string::npos);
    EXPECT_EQ(text.find("restart:", text.find("restart:") + 1), std::string::npos) << "one restart only";
    // Peak memory when the tenth stage is cleared and at the end.
    EXPECT_NE(text.find("memory: stages=10 maxrss_kb="), std::string::npos);
    EXPECT_NE(text.find("memory: stages=145 maxrss_kb="), std::string::npos);

    // Without restarts the same run ends at the dead end.
    options.bRestart = false;
    EXPECT_EQ(FormatSimResult(CSimRunner(options).Run(log)).find("result: stage=143 "), 0u);
}

} // namespace
