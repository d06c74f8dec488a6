// Code page 932 conversion against the C library's converter for every byte pair and every character, and malformed
// UTF-8 refused.
#include "Cp932.h"

#include <gtest/gtest.h>
#include <iconv.h>

namespace {

constexpr std::string_view REPLACEMENT_UTF8 = "\xEF\xBF\xBD";

// The C library's conversion of all of `in`: the converted text, and where it stopped (in.size() when it did not).
std::pair<std::string, std::size_t> Iconv(const char* pszTo, const char* pszFrom, std::string_view in)
{
    iconv_t cd = iconv_open(pszTo, pszFrom);
    char* pIn = const_cast<char*>(in.data());
    std::size_t nIn = in.size();
    char buffer[64];
    char* pOut = buffer;
    std::size_t nOut = sizeof buffer;
    iconv(cd, &pIn, &nIn, &pOut, &nOut);
    iconv_close(cd);
    return {std::string(buffer, std::size_t(pOut - buffer)), in.size() - nIn};
}

// Decoding as the C library does it, a byte that starts no valid sequence becoming U+FFFD.
std::string IconvDecode(std::string_view bytes)
{
    std::string utf8;
    while (!bytes.empty()) {
        const auto [text, nUsed] = Iconv("UTF-8", "CP932", bytes);
        utf8 += text;
        bytes.remove_prefix(nUsed);
        if (!bytes.empty()) {
            utf8 += REPLACEMENT_UTF8;
            bytes.remove_prefix(1);
        }
    }
    return utf8;
}

std::optional<std::string> IconvEncode(std::string_view utf8)
{
    const auto [bytes, nUsed] = Iconv("CP932", "UTF-8", utf8);
    return nUsed == utf8.size() ? std::optional(bytes) : std::nullopt;
}

} // namespace

// Malformed UTF-8, which the per-character comparison below never builds: cut short, overlong, surrogate, past
// U+10FFFF, stray continuation byte.
TEST(Cp932Test, RefusesMalformedUtf8)
{
    for (const char* bad : {"a\xC3", "\xC0\xAF", "\xED\xA0\x80", "\xF4\x90\x80\x80", "\x80", "\xE3\x81"})
        EXPECT_FALSE(Utf8ToCp932(bad).has_value()) << bad;
}

TEST(Cp932Test, DecodesEveryByteSequenceAsTheCLibraryDoes)
{
    for (int first = 0; first < 256; ++first) {
        const std::string one(1, char(first));
        ASSERT_EQ(Cp932ToUtf8(one), IconvDecode(one)) << first;
        for (int second = 0; second < 256; ++second) {
            const std::string two{char(first), char(second)};
            ASSERT_EQ(Cp932ToUtf8(two), IconvDecode(two)) << first << ' ' << second;
        }
    }
}

TEST(Cp932Test, EncodesEveryCharacterAsTheCLibraryDoes)
{
    for (char32_t wch = 0; wch <= 0x10FFFF; ++wch) {
        if (wch >= 0xD800 && wch <= 0xDFFF)
            continue;
        const char32_t utf32[] = {wch};
        const std::string utf8 = Iconv("UTF-8", "UTF-32LE", {reinterpret_cast<const char*>(utf32), sizeof utf32}).first;
        ASSERT_EQ(Utf8ToCp932(utf8), IconvEncode(utf8)) << std::hex << unsigned(wch);
    }
}
