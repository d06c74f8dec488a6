// What the page asks of the C++ code between events: the name field's byte rules, loading a ranking file, and
// saving what is pending when the page may be lost.
#include "Cp932.h"
#include "RankTable.h"
#include "Ranking.h"
#include "WinApp.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <string>
#include <unistd.h>
#include <vector>

namespace {

constexpr char32_t FIRST_PRINTABLE = 0x20;
constexpr char32_t DELETE = 0x7F;
constexpr char32_t REPLACEMENT = 0xFFFD;

struct NameChar {
    std::string utf8;
    int nUnits; // UTF-16 units in the page's field
    int nBytes; // code page 932 bytes; 0 when a name cannot hold it
};

// The characters of well-formed UTF-8; a malformed sequence counts as U+FFFD.
std::vector<NameChar> SplitUtf8(std::string_view text)
{
    std::vector<NameChar> chars;
    for (std::size_t at = 0; at < text.size();) {
        const auto lead = static_cast<unsigned char>(text[at]);
        const std::size_t nLength = lead < 0x80 ? 1 : lead < 0xE0 ? 2 : lead < 0xF0 ? 3 : 4;
        char32_t code = nLength == 1 ? lead : lead & (0x3F >> (nLength - 1));
        bool bValid = at + nLength <= text.size() && (nLength == 1 || lead >= 0xC2) && lead < 0xF5;
        for (std::size_t i = 1; bValid && i < nLength; ++i) {
            const auto next = static_cast<unsigned char>(text[at + i]);
            bValid = (next & 0xC0) == 0x80;
            code = (code << 6) | (next & 0x3F);
        }
        NameChar ch{std::string(text.substr(at, bValid ? nLength : 1)), code >= 0x10000 ? 2 : 1, 0};
        if (!bValid)
            code = REPLACEMENT;
        if (code >= FIRST_PRINTABLE && code != DELETE && code != REPLACEMENT)
            ch.nBytes = int(Utf8ToCp932(ch.utf8).value_or(std::string()).size());
        chars.push_back(std::move(ch));
        at += bValid ? nLength : 1;
    }
    return chars;
}

struct FilterResult {
    std::string text;
    int nCursor = 0;
    int bRefused = 0;
} g_filtered;

std::string g_strImportProblem;

} // namespace

extern "C" {

// The name field after an edit: control characters and characters code page
// 932 cannot hold are dropped, and while the text is over nLimit bytes the
// characters just before the cursor go (so a paste keeps what fits). The
// cursor is in UTF-16 units, as the page counts. Returns the kept text;
// vt_filter_cursor and vt_filter_refused tell the rest.
const char* vt_filter_name(const char* pszUtf8, int nCursor, int nLimit)
{
    g_filtered = {};
    std::vector<NameChar> kept;
    int nBytes = 0;
    int nUnitsSeen = 0;
    int nCursorChars = 0; // kept characters before the cursor
    for (NameChar& ch : SplitUtf8(pszUtf8)) {
        const bool bBeforeCursor = nUnitsSeen < nCursor;
        nUnitsSeen += ch.nUnits;
        if (ch.nBytes == 0) {
            g_filtered.bRefused = 1;
            continue;
        }
        nBytes += ch.nBytes;
        if (bBeforeCursor)
            ++nCursorChars;
        kept.push_back(std::move(ch));
    }
    while (nLimit > 0 && nBytes > nLimit && nCursorChars > 0) {
        --nCursorChars;
        nBytes -= kept[std::size_t(nCursorChars)].nBytes;
        kept.erase(kept.begin() + nCursorChars);
        g_filtered.bRefused = 1;
    }
    for (int i = 0; i < int(kept.size()); ++i) {
        g_filtered.text += kept[std::size_t(i)].utf8;
        if (i < nCursorChars)
            g_filtered.nCursor += kept[std::size_t(i)].nUnits;
    }
    return g_filtered.text.c_str();
}

int vt_filter_cursor()
{
    return g_filtered.nCursor;
}

int vt_filter_refused()
{
    return g_filtered.bRefused;
}

// Loads the rank.vtd the page put in directory pszDir with the game's own
// loader, for a check only (the table in play is kept as it is), and when it
// reads, moves it over pszTarget. Returns "" or why the file was refused.
const char* vt_import_rank(const char* pszDir, const char* pszTarget)
{
    g_strImportProblem.clear();
    char szCwd[256] = "";
    if (getcwd(szCwd, sizeof szCwd) == nullptr || chdir(pszDir) != 0) {
        g_strImportProblem = "The file could not be stored here.";
        return g_strImportProblem.c_str();
    }
    RankEntry saved[RANK_COUNT];
    std::memcpy(saved, g_rankTable, sizeof saved);
    CRanking probe;
    probe.Load();
    std::memcpy(g_rankTable, saved, sizeof saved);
    g_strImportProblem = probe.GetLoadProblem();
    if (g_strImportProblem.empty() && std::rename("rank.vtd", pszTarget) != 0)
        g_strImportProblem = "The file could not be stored here: " + std::string(std::strerror(errno)) + ".";
    if (chdir(szCwd) != 0)
        g_strImportProblem = "The game's folder went missing.";
    return g_strImportProblem.c_str();
}

// The page is being closed, reloaded or hidden (a phone may discard a hidden
// page): the game saves what it holds unsaved, as when the desktop's session
// ends; the game itself goes on if the page stays.
void vt_session_end()
{
    if (CWinApp* pApp = AfxGetApp())
        pApp->OnWindowSystemLost();
}
}
