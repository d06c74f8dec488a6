// Loading, saving, sorting and reporting the ranking table.
#include "Ranking.h"

#include "Cp932.h"
#include "File.h"
#include "RankTable.h"

#include <algorithm>
#include <array>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <numeric>
#include <utility>

namespace {

// Looked up in the current directory.
constexpr const char* RANK_FILE_NAME = "rank.vtd";
constexpr UINT RANK_FILE_SIZE = sizeof(g_rankTable);

// "☆★☆★☆★　Ranking　★☆★☆★☆" and an empty line, in code page 932.
constexpr char REPORT_HEADER[] = "\x81\x99\x81\x9a\x81\x99\x81\x9a\x81\x99\x81\x9a\x81\x40"
                                 "Ranking"
                                 "\x81\x40\x81\x9a\x81\x99\x81\x9a\x81\x99\x81\x9a\x81\x99\n\n";
static_assert(sizeof(REPORT_HEADER) - 1 == 37);

// Enough for the longest report line: place, stage and score take at most
// 31 bytes (" 5 : stage-32768  -2147483648  "), the name 20, the line feed 1.
constexpr std::size_t REPORT_LINE_MAX = 64;

bool RanksAbove(const RankEntry& a, const RankEntry& b)
{
    return a.nScore > b.nScore || (a.nScore == b.nScore && a.nStage < b.nStage);
}

// The table's indices in the order Sort's exchange procedure puts their
// records: each later record is compared with whatever stands at position i
// at that moment, and a better one is exchanged.
std::array<int, RANK_COUNT> RankOrder()
{
    std::array<int, RANK_COUNT> order{};
    std::iota(order.begin(), order.end(), 0);
    for (int i = 0; i < RANK_COUNT - 1; ++i) {
        for (int j = i + 1; j < RANK_COUNT; ++j) {
            if (RanksAbove(g_rankTable[order[j]], g_rankTable[order[i]]))
                std::swap(order[i], order[j]);
        }
    }
    return order;
}

// The record the ranking order puts last: place 5 in a sorted table.
RankEntry& LowestRanked()
{
    return g_rankTable[RankOrder().back()];
}

std::string UnreadableText(const CFileException& error)
{
    return "The ranking file " + SystemTextToCp932(error.GetFileName()) + " cannot be read (" +
           SystemTextToCp932(error.GetReason()) + "). The built-in ranking is used and the file is left unchanged.";
}

std::string UncreatableText(const CFileException& error)
{
    return "The ranking file " + SystemTextToCp932(error.GetFileName()) + " cannot be created (" +
           SystemTextToCp932(error.GetReason()) + "). The built-in ranking is used; new scores may not be saved.";
}

} // namespace

CRankFileKeptException::CRankFileKeptException(const CFileException& loadError)
    : CFileException(loadError.GetFileName(), loadError.GetOsError(),
                     "Not saved: it could not be read at start-up (" + loadError.GetReason() +
                         ") and is kept as it was")
{
}

void CRanking::Load()
{
    m_strLoadProblem.clear();
    m_unreadError.reset();
    CFile file;
    CFileException openError(RANK_FILE_NAME, 0);
    if (file.Open(RANK_FILE_NAME, CFile::modeRead, &openError)) {
        // Read into a copy first, so that a read failing part-way leaves the
        // table whole. A short file replaces only the bytes it has.
        try {
            char image[RANK_FILE_SIZE];
            const UINT nRead = file.Read(image, RANK_FILE_SIZE);
            std::memcpy(g_rankTable, image, nRead);
        } catch (const CFileException& e) {
            m_strLoadProblem = UnreadableText(e);
            m_unreadError = e;
        }
        return;
    }
    // Only a missing file is created; one that exists but cannot be read may
    // hold the player's records and is never overwritten here.
    if (openError.GetOsError() != ENOENT) {
        m_strLoadProblem = UnreadableText(openError);
        m_unreadError = openError;
        return;
    }
    try {
        Save();
    } catch (const CFileException& e) {
        m_strLoadProblem = UncreatableText(e);
    }
}

void CRanking::Save()
{
    // A file that exists but could not be read may hold records the table
    // never received; it is never overwritten.
    if (m_unreadError)
        throw CRankFileKeptException(*m_unreadError);
    CFile file;
    CFileException openError(RANK_FILE_NAME, 0);
    if (!file.Open(RANK_FILE_NAME, CFile::modeCreate | CFile::modeNoTruncate | CFile::modeWrite, &openError))
        throw openError;
    file.Write(g_rankTable, RANK_FILE_SIZE);
    file.Close();
}

void CRanking::Sort()
{
    // Records move whole, reserved bytes and bytes behind the name included.
    const std::array<int, RANK_COUNT> order = RankOrder();
    RankEntry sorted[RANK_COUNT];
    for (int i = 0; i < RANK_COUNT; ++i)
        sorted[i] = g_rankTable[order[i]];
    std::copy(std::begin(sorted), std::end(sorted), g_rankTable);
}

bool CRanking::Qualifies(std::int32_t nScore) const
{
    return nScore > LowestRanked().nScore;
}

void CRanking::PutRecord(const std::string& strName, std::int32_t nScore, std::int16_t nStage)
{
    RankEntry& entry = LowestRanked();
    // Like strcpy: the name and its NUL, the bytes behind it untouched. A
    // name too long for the field is cut, never written past it.
    const std::size_t nLength = strnlen(strName.c_str(), RANK_NAME_SIZE - 1);
    std::memcpy(entry.szName, strName.c_str(), nLength);
    entry.szName[nLength] = '\0';
    entry.nScore = nScore;
    entry.nStage = nStage;
}

std::string CRanking::Format() const
{
    std::string text = REPORT_HEADER;
    for (int i = 0; i < RANK_COUNT; ++i) {
        const RankEntry& entry = g_rankTable[i];
        char line[REPORT_LINE_MAX];
        // The precision stops at the end of the name field when it holds no
        // NUL; the width pads with blanks by bytes and never cuts.
        int n = std::snprintf(line, sizeof line, " %d : stage%02d  %06d  %-16.*s\n", i + 1, int(entry.nStage),
                              int(entry.nScore), int(RANK_NAME_SIZE), entry.szName);
        if (n > 0)
            text.append(line, std::min(std::size_t(n), sizeof line - 1));
    }
    return text;
}
