// Code page 932 <-> UTF-8 through the generated tables, giving the same results as the C library's CP932 iconv.
#include "Cp932.h"

#include "Cp932Table.h"

#include <algorithm>
#include <vector>

namespace {

constexpr char32_t REPLACEMENT_CHARACTER = 0xFFFD;
constexpr char32_t LAST_SCALAR = 0x10FFFF;
constexpr char32_t SURROGATE_FIRST = 0xD800, SURROGATE_LAST = 0xDFFF;

void AppendUtf8(std::string& out, char32_t wch)
{
    if (wch < 0x80) {
        out += char(wch);
    } else if (wch < 0x800) {
        out += char(0xC0 | wch >> 6);
        out += char(0x80 | (wch & 0x3F));
    } else {
        out += char(0xE0 | wch >> 12);
        out += char(0x80 | (wch >> 6 & 0x3F));
        out += char(0x80 | (wch & 0x3F));
    }
}

// The character of a lead/trail byte pair, or CP932_NONE.
std::uint16_t DecodePair(unsigned char lead, unsigned char trail)
{
    const std::uint8_t nRow = g_cp932LeadRow[lead];
    if (nRow == CP932_NO_ROW || trail < CP932_TRAIL_FIRST || trail > CP932_TRAIL_LAST)
        return CP932_NONE;
    return g_cp932Double[nRow][trail - CP932_TRAIL_FIRST];
}

// The next scalar value of well-formed UTF-8 (no overlong form, surrogate or value past U+10FFFF), advancing
// `utf8` past it; nothing when the UTF-8 there is malformed or cut short.
std::optional<char32_t> NextScalar(std::string_view& utf8)
{
    const auto lead = static_cast<unsigned char>(utf8.front());
    std::size_t nLength = 1;
    char32_t wch = lead, minimum = 0;
    if (lead >= 0xC0 && lead < 0xE0) {
        nLength = 2, wch = lead & 0x1F, minimum = 0x80;
    } else if (lead >= 0xE0 && lead < 0xF0) {
        nLength = 3, wch = lead & 0x0F, minimum = 0x800;
    } else if (lead >= 0xF0 && lead < 0xF8) {
        nLength = 4, wch = lead & 0x07, minimum = 0x10000;
    } else if (lead >= 0x80) {
        return std::nullopt;
    }
    if (utf8.size() < nLength)
        return std::nullopt;
    for (std::size_t i = 1; i < nLength; ++i) {
        const auto ch = static_cast<unsigned char>(utf8[i]);
        if ((ch & 0xC0) != 0x80)
            return std::nullopt;
        wch = wch << 6 | (ch & 0x3F);
    }
    if (wch < minimum || wch > LAST_SCALAR || (wch >= SURROGATE_FIRST && wch <= SURROGATE_LAST))
        return std::nullopt;
    utf8.remove_prefix(nLength);
    return wch;
}

// Each character's lowest code, sorted by character; built once from the decoding tables.
std::vector<Cp932Encoding> BuildLowestCodes()
{
    std::vector<Cp932Encoding> codes;
    for (std::size_t b = 0; b < CP932_SINGLE_COUNT; ++b) {
        if (g_cp932Single[b] != CP932_NONE)
            codes.push_back({g_cp932Single[b], std::uint16_t(b)});
    }
    for (std::size_t lead = 0; lead < CP932_SINGLE_COUNT; ++lead) {
        for (int trail = CP932_TRAIL_FIRST; trail <= CP932_TRAIL_LAST; ++trail) {
            const std::uint16_t wch = DecodePair(static_cast<unsigned char>(lead), static_cast<unsigned char>(trail));
            if (wch != CP932_NONE)
                codes.push_back({wch, std::uint16_t(lead << 8 | unsigned(trail))});
        }
    }
    const auto byChar = [](const Cp932Encoding& a, const Cp932Encoding& b) { return a.wch < b.wch; };
    std::stable_sort(codes.begin(), codes.end(), byChar);
    codes.erase(std::unique(codes.begin(), codes.end(),
                            [](const Cp932Encoding& a, const Cp932Encoding& b) { return a.wch == b.wch; }),
                codes.end());
    return codes;
}

// The code of `wch`, or CP932_NONE when code page 932 cannot hold it.
std::uint16_t Encode(char32_t wch)
{
    if (wch >= CP932_NONE)
        return CP932_NONE;
    const auto byChar = [](const Cp932Encoding& entry, char32_t key) { return entry.wch < key; };
    const Cp932Encoding* pEnd = g_cp932Encodings + g_cp932EncodingCount;
    const Cp932Encoding* pFound = std::lower_bound(g_cp932Encodings, pEnd, wch, byChar);
    if (pFound != pEnd && pFound->wch == wch)
        return pFound->code;
    static const std::vector<Cp932Encoding> s_lowestCodes = BuildLowestCodes();
    const auto it = std::lower_bound(s_lowestCodes.begin(), s_lowestCodes.end(), wch, byChar);
    return it != s_lowestCodes.end() && it->wch == wch ? it->code : CP932_NONE;
}

} // namespace

std::string Cp932ToUtf8(std::string_view bytes)
{
    std::string utf8;
    for (std::size_t i = 0; i < bytes.size();) {
        const auto ch = static_cast<unsigned char>(bytes[i]);
        const std::uint16_t wchPair =
            i + 1 < bytes.size() ? DecodePair(ch, static_cast<unsigned char>(bytes[i + 1])) : CP932_NONE;
        if (wchPair != CP932_NONE) {
            AppendUtf8(utf8, wchPair);
            i += 2;
            continue;
        }
        // A byte that starts no valid sequence is replaced, and decoding goes on after it.
        AppendUtf8(utf8, g_cp932Single[ch] != CP932_NONE ? g_cp932Single[ch] : REPLACEMENT_CHARACTER);
        ++i;
    }
    return utf8;
}

namespace {

// The code page 932 bytes of utf8. A character code page 932 cannot hold, or a malformed byte, is written as
// pszStandIn, or, without one, ends the conversion with nothing.
std::optional<std::string> EncodeUtf8(std::string_view utf8, const char* pszStandIn)
{
    std::string bytes;
    while (!utf8.empty()) {
        const std::optional<char32_t> wch = NextScalar(utf8);
        if (!wch)
            utf8.remove_prefix(1); // the malformed byte
        else if (*wch >= g_cp932IgnoredFirst && *wch <= g_cp932IgnoredLast)
            continue;
        const std::uint16_t code = wch ? Encode(*wch) : CP932_NONE;
        if (code == CP932_NONE) {
            if (pszStandIn == nullptr)
                return std::nullopt;
            bytes += pszStandIn;
            continue;
        }
        if (code > 0xFF)
            bytes += char(code >> 8);
        bytes += char(code & 0xFF);
    }
    return bytes;
}

} // namespace

std::optional<std::string> Utf8ToCp932(std::string_view utf8)
{
    return EncodeUtf8(utf8, nullptr);
}

std::string SystemTextToCp932(std::string_view text)
{
    return *EncodeUtf8(text, "?");
}
