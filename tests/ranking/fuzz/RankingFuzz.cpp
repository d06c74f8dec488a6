// libFuzzer target: arbitrary "rank.vtd" content through load, sort, report and save, checking what always holds
// (the report's layout has its own tests).
#include "../RankBytes.h"
#include "Ranking.h"

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <unistd.h>

namespace {

constexpr std::size_t IMAGE_SIZE = sizeof g_rankTable;
std::string s_strDir;

void Check(bool ok, const char* what)
{
    if (!ok) {
        std::fprintf(stderr, "ranking invariant broken: %s\n", what);
        std::abort();
    }
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    const char* tmp = std::getenv("TMPDIR");
    s_strDir = std::string(tmp ? tmp : "/tmp") + "/vantrel-ranking-fuzz-XXXXXX";
    Check(mkdtemp(s_strDir.data()) && chdir(s_strDir.c_str()) == 0, "temporary directory");
    std::atexit([] { unlink("rank.vtd"), rmdir(s_strDir.c_str()); });
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size > 400)
        return -1;
    const std::string input(reinterpret_cast<const char*>(data), size);
    std::ofstream("rank.vtd", std::ios::binary | std::ios::trunc) << input;
    SetTable(BuiltInImage());

    CRanking ranking;
    ranking.Load();
    const std::string loaded = input.substr(0, IMAGE_SIZE) + BuiltInImage().substr(std::min(size, IMAGE_SIZE));
    Check(ranking.GetLoadProblem().empty(), "a regular file loads without a problem");
    Check(TableBytes() == loaded, "load takes the file's leading bytes over the built-in table");
    Check(FileBytes() == input, "load leaves an existing file alone");

    ranking.Sort();
    const std::string sorted = TableBytes();
    Check(std::is_permutation(g_rankTable, g_rankTable + RANK_COUNT, reinterpret_cast<const RankEntry*>(loaded.data()),
                              [](auto& a, auto& b) { return std::memcmp(&a, &b, sizeof a) == 0; }),
          "sort only exchanges whole records");
    for (int i = 0; i + 1 < RANK_COUNT; ++i) {
        const RankEntry &a = g_rankTable[i], &b = g_rankTable[i + 1];
        Check(a.nScore > b.nScore || (a.nScore == b.nScore && a.nStage <= b.nStage), "sorted in ranking order");
    }
    ranking.Format();

    ranking.Save();
    Check(FileBytes() == sorted + (size > IMAGE_SIZE ? input.substr(IMAGE_SIZE) : ""),
          "save writes 140, keeps the tail");
    Check(TableBytes() == sorted, "report and save leave the table");
    return 0;
}
