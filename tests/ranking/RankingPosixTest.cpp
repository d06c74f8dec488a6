// Ranking files that fail in ways only POSIX systems offer: a read error after opening, the file-size limit.
#include "RankingTest.h"

#include <sys/resource.h>

namespace {

// A file that opens but fails to read may hold records the table never received: every later save is refused, and a
// file put in its place is kept too.
TEST_F(RankingTest, ReadErrorAfterOpeningBlocksEverySave)
{
    std::filesystem::create_symlink("/proc/self/mem", "rank.vtd"); // opens as a regular file; reading gives EIO
    CRanking ranking;
    ranking.Load();
    EXPECT_EQ(ranking.GetLoadProblem().find("The ranking file rank.vtd cannot be read (Input/output error)"), 0u);
    std::filesystem::remove("rank.vtd");
    std::ofstream("rank.vtd") << "kept";
    for (int i = 0; i < 2; ++i)
        EXPECT_EQ(SaveResult(ranking).find("Not saved"), 0u);
    EXPECT_EQ(FileBytes(), "kept");
}

// SIGXFSZ would end the process halfway through the write; run in a child, which sets the limit.
TEST_F(RankingTest, SaveBeyondTheFileSizeLimitFailsAndTheProcessGoesOn)
{
    EXPECT_EXIT(
        {
            rlimit limit{};
            getrlimit(RLIMIT_FSIZE, &limit);
            limit.rlim_cur = 70;
            setrlimit(RLIMIT_FSIZE, &limit);
            CRanking ranking;
            std::exit(SaveResult(ranking) == "File too large" ? 0 : 1);
        },
        testing::ExitedWithCode(0), "");
}

} // namespace
