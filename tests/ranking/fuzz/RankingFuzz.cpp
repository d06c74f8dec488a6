// libFuzzer target: arbitrary "rank.vtd" content through load, sort, report and save, checking what always holds.
#include "RankTable.h"
#include "Ranking.h"

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iterator>
#include <string>
#include <unistd.h>
#include <vector>

namespace {

constexpr std::size_t MAX_INPUT = 400;
constexpr std::size_t IMAGE_SIZE = sizeof g_rankTable;
constexpr const char* FILE_NAME = "rank.vtd";
const std::string HEADER = "\x81\x99\x81\x9a\x81\x99\x81\x9a\x81\x99\x81\x9a\x81\x40Ranking"
                           "\x81\x40\x81\x9a\x81\x99\x81\x9a\x81\x99\x81\x9a\x81\x99\n\n";

RankEntry s_builtIn[RANK_COUNT];
std::string s_strDir;

void Check(bool ok, const char* what)
{
    if (!ok) {
        std::fprintf(stderr, "ranking invariant broken: %s\n", what);
        std::abort();
    }
}

std::string Bytes(const void* p, std::size_t n) { return {static_cast<const char*>(p), n}; }

std::string FileBytes()
{
    std::ifstream in(FILE_NAME, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

// Formatted-print "%0Nd" written out: sign, then zeros up to the width.
std::string ZeroPadded(long long value, std::size_t width)
{
    std::string digits = std::to_string(value < 0 ? -value : value);
    std::string sign = value < 0 ? "-" : "";
    std::size_t used = sign.size() + digits.size();
    return sign + std::string(used < width ? width - used : 0, '0') + digits;
}

std::string ExpectedLine(int place, const RankEntry& entry)
{
    std::string name(entry.szName, strnlen(entry.szName, sizeof entry.szName));
    name.resize(std::max<std::size_t>(name.size(), 16), ' ');
    return " " + std::to_string(place) + " : stage" + ZeroPadded(entry.nStage, 2) + "  "
        + ZeroPadded(entry.nScore, 6) + "  " + name + "\n";
}

std::vector<std::string> SortedRecords(const std::string& image)
{
    std::vector<std::string> records;
    for (std::size_t i = 0; i < IMAGE_SIZE; i += sizeof(RankEntry))
        records.push_back(image.substr(i, sizeof(RankEntry)));
    std::sort(records.begin(), records.end());
    return records;
}

void RemoveDir()
{
    unlink(FILE_NAME);
    rmdir(s_strDir.c_str());
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    std::memcpy(s_builtIn, g_rankTable, IMAGE_SIZE);
    const char* tmp = std::getenv("TMPDIR");
    s_strDir = std::string(tmp ? tmp : "/tmp") + "/vantrel-ranking-fuzz-XXXXXX";
    Check(mkdtemp(s_strDir.data()) && chdir(s_strDir.c_str()) == 0, "temporary directory");
    std::atexit(RemoveDir);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size > MAX_INPUT)
        return -1;
    const std::string input = Bytes(data, size);
    std::ofstream(FILE_NAME, std::ios::binary | std::ios::trunc) << input;
    std::memcpy(g_rankTable, s_builtIn, IMAGE_SIZE);

    CRanking ranking;
    ranking.Load();
    std::string loaded = Bytes(s_builtIn, IMAGE_SIZE).replace(0, std::min(size, IMAGE_SIZE), input.substr(0, IMAGE_SIZE));
    Check(ranking.GetLoadProblem().empty(), "a regular file loads without a problem");
    Check(Bytes(g_rankTable, IMAGE_SIZE) == loaded, "load takes the file's leading bytes over the built-in table");
    Check(FileBytes() == input, "load leaves an existing file alone");

    ranking.Sort();
    const std::string sorted = Bytes(g_rankTable, IMAGE_SIZE);
    Check(SortedRecords(sorted) == SortedRecords(loaded), "sort only exchanges whole records");
    for (int i = 0; i + 1 < RANK_COUNT; ++i) {
        const RankEntry &a = g_rankTable[i], &b = g_rankTable[i + 1];
        Check(a.nScore > b.nScore || (a.nScore == b.nScore && a.nStage <= b.nStage), "sorted in ranking order");
    }

    std::string report = HEADER;
    for (int i = 0; i < RANK_COUNT; ++i)
        report += ExpectedLine(i + 1, g_rankTable[i]);
    Check(ranking.Format() == report, "the report shows exactly the records, names no further than their field");

    ranking.Save();
    Check(FileBytes() == sorted + (size > IMAGE_SIZE ? input.substr(IMAGE_SIZE) : ""), "save writes 140 bytes, keeps the tail");
    Check(Bytes(g_rankTable, IMAGE_SIZE) == sorted, "report and save leave the table");
    return 0;
}
