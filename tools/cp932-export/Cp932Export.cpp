// Asks the C library's iconv for every code page 932 byte sequence and character and writes the tables the game
// converts with (platform/system/Cp932Table.cpp), so that no platform needs iconv.
#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iconv.h>
#include <map>
#include <sstream>
#include <string>
#include <vector>

namespace {

constexpr std::uint16_t NONE = 0xFFFF;
constexpr int NO_ROW = 0xFF;
constexpr int TRAIL_FIRST = 0x40, TRAIL_LAST = 0xFC;
constexpr std::size_t TRAIL_COUNT = TRAIL_LAST - TRAIL_FIRST + 1;
constexpr char32_t LAST_SCALAR = 0x10FFFF, SURROGATE_FIRST = 0xD800, SURROGATE_LAST = 0xDFFF;

// Converts all of `in` with a fresh state; false when iconv refuses any of it.
bool Convert(iconv_t cd, const std::string& in, std::string& out)
{
    iconv(cd, nullptr, nullptr, nullptr, nullptr);
    char* pIn = const_cast<char*>(in.data());
    std::size_t nIn = in.size();
    char buffer[16];
    char* pOut = buffer;
    std::size_t nOut = sizeof buffer;
    const bool ok = iconv(cd, &pIn, &nIn, &pOut, &nOut) != std::size_t(-1) && nIn == 0;
    out.assign(buffer, std::size_t(pOut - buffer));
    return ok;
}

// The one character `bytes` decode to, or NONE when they are not exactly one character.
std::uint16_t Decode(iconv_t cd, const std::string& bytes)
{
    std::string utf32;
    if (!Convert(cd, bytes, utf32) || utf32.size() != 4)
        return NONE;
    const auto byte = [&](int i) { return std::uint32_t(static_cast<unsigned char>(utf32[std::size_t(i)])); };
    const std::uint32_t wch = byte(0) | byte(1) << 8 | byte(2) << 16 | byte(3) << 24;
    if (wch >= NONE) {
        std::fprintf(stderr, "character U+%X does not fit the table\n", unsigned(wch));
        std::exit(1);
    }
    return std::uint16_t(wch);
}

// Writes `values` as hex, nPerLine to a line indented by `indent`.
void WriteValues(std::ostream& out, const std::uint16_t* values, std::size_t nCount, std::size_t nPerLine,
                 const char* indent)
{
    for (std::size_t i = 0; i < nCount; ++i) {
        char text[16];
        std::snprintf(text, sizeof text, "0x%04X,", unsigned(values[i]));
        out << (i % nPerLine == 0 ? indent : " ") << text << ((i + 1) % nPerLine == 0 || i + 1 == nCount ? "\n" : "");
    }
}

} // namespace

// Usage: vantrel-cp932-export OUTFILE (normally platform/system/Cp932Table.cpp).
int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s OUTFILE\n", argv[0]);
        return 2;
    }
    iconv_t decoder = iconv_open("UTF-32LE", "CP932"), encoder = iconv_open("CP932", "UTF-32LE");
    if (decoder == iconv_t(-1) || encoder == iconv_t(-1)) { // NOLINT(performance-no-int-to-ptr)
        std::fprintf(stderr, "%s: the C library has no CP932 converter\n", argv[0]);
        return 1;
    }

    // Decoding: each byte alone, then each lead/trail pair; the lowest code of a character is its plain encoding.
    std::vector<std::uint16_t> single(256), doubles;
    std::vector<int> leadRows(256, NO_ROW);
    std::map<std::uint16_t, std::uint16_t> lowestCode;
    for (int b = 0; b < 256; ++b) {
        single[std::size_t(b)] = Decode(decoder, std::string(1, char(b)));
        if (single[std::size_t(b)] != NONE)
            lowestCode.emplace(single[std::size_t(b)], std::uint16_t(b));
    }
    int nRows = 0;
    for (int lead = 0x80; lead < 256; ++lead) {
        std::vector<std::uint16_t> row;
        for (int trail = TRAIL_FIRST; trail <= TRAIL_LAST; ++trail) {
            row.push_back(Decode(decoder, std::string{char(lead), char(trail)}));
            if (row.back() != NONE)
                lowestCode.emplace(row.back(), std::uint16_t(lead << 8 | trail));
        }
        if (std::count(row.begin(), row.end(), NONE) == std::ptrdiff_t(row.size()))
            continue;
        leadRows[std::size_t(lead)] = nRows++;
        doubles.insert(doubles.end(), row.begin(), row.end());
    }

    // Encoding: every character whose code is not the lowest that decodes to it.
    std::vector<std::uint16_t> exceptions;
    std::vector<char32_t> ignored;
    for (char32_t wch = 0; wch <= LAST_SCALAR; ++wch) {
        if (wch >= SURROGATE_FIRST && wch <= SURROGATE_LAST)
            continue;
        const std::string utf32{char(wch & 0xFF), char(wch >> 8 & 0xFF), char(wch >> 16 & 0xFF), char(wch >> 24)};
        std::string bytes;
        std::uint16_t code = NONE;
        if (Convert(encoder, utf32, bytes) && bytes.empty()) {
            ignored.push_back(wch);
            continue;
        }
        if (!bytes.empty()) {
            if (wch >= NONE || bytes.size() > 2) {
                std::fprintf(stderr, "%s: U+%X encodes beyond the table\n", argv[0], unsigned(wch));
                return 1;
            }
            code = std::uint16_t(bytes.size() == 1 ? static_cast<unsigned char>(bytes[0])
                                                   : static_cast<unsigned char>(bytes[0]) << 8 |
                                                         static_cast<unsigned char>(bytes[1]));
        }
        const auto lowest = wch < NONE ? lowestCode.find(std::uint16_t(wch)) : lowestCode.end();
        if (code != (lowest == lowestCode.end() ? NONE : lowest->second)) {
            exceptions.push_back(std::uint16_t(wch));
            exceptions.push_back(code);
        }
    }

    // Characters the converter accepts and writes nothing for (tags) must form one range.
    if (ignored.empty() || ignored.back() - ignored.front() + 1 != ignored.size()) {
        std::fprintf(stderr, "%s: the characters encoded as nothing are not one range\n", argv[0]);
        return 1;
    }

    std::ostringstream out;
    out << "// Generated by tools/cp932-export from the C library's CP932 converter; do not edit.\n"
        << "#include \"Cp932Table.h\"\n\n// clang-format off\n"
        << "const std::uint16_t g_cp932Single[CP932_SINGLE_COUNT] = {\n";
    WriteValues(out, single.data(), single.size(), 8, "    ");
    out << "};\n\nconst std::uint8_t g_cp932LeadRow[CP932_SINGLE_COUNT] = {\n";
    for (int b = 0; b < 256; ++b)
        out << (b % 16 == 0 ? "    " : " ") << leadRows[std::size_t(b)] << "," << (b % 16 == 15 ? "\n" : "");
    out << "};\n\nconst std::uint16_t g_cp932Double[" << nRows << "][CP932_TRAIL_COUNT] = {\n";
    for (std::size_t row = 0; row < doubles.size(); row += TRAIL_COUNT) {
        out << "    {\n";
        WriteValues(out, &doubles[row], TRAIL_COUNT, 9, "        ");
        out << "    },\n";
    }
    out << "};\n\nconst Cp932Encoding g_cp932Encodings[] = {\n";
    for (std::size_t i = 0; i < exceptions.size(); i += 2) {
        char text[32];
        std::snprintf(text, sizeof text, "{0x%04X, 0x%04X},", unsigned(exceptions[i]), unsigned(exceptions[i + 1]));
        out << (i % 8 == 0 ? "    " : " ") << text << ((i + 2) % 8 == 0 || i + 2 == exceptions.size() ? "\n" : "");
    }
    char range[96];
    std::snprintf(range, sizeof range, "const char32_t g_cp932IgnoredFirst = 0x%X, g_cp932IgnoredLast = 0x%X;\n",
                  unsigned(ignored.front()), unsigned(ignored.back()));
    out << "};\nconst std::size_t g_cp932EncodingCount = " << exceptions.size() / 2 << ";\n\n"
        << range << "// clang-format on\n";

    std::ofstream file(argv[1], std::ios::binary | std::ios::trunc);
    file << out.str();
    file.close();
    if (!file) {
        std::fprintf(stderr, "%s: cannot write %s\n", argv[0], argv[1]);
        return 1;
    }
    std::fprintf(stderr, "%s: %s, %d lead bytes, %zu encoding exceptions\n", argv[0], argv[1], nRows,
                 exceptions.size() / 2);
    return 0;
}
