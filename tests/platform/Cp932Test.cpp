// Code page 932 conversion: round trips, replacement of bad bytes, unrepresentable characters.
#include "Cp932.h"

#include <gtest/gtest.h>

namespace {

const std::string REPLACEMENT = "\xEF\xBF\xBD";

TEST(Cp932Test, RoundTripsAsciiKanaAndKanji)
{
    // "abc\" U+3042 U+30B9 U+65E5 in both encodings.
    const std::string cp932 = "abc\\\x82\xA0\x83\x58\x93\xFA";
    const std::string utf8 = "abc\\\xE3\x81\x82\xE3\x82\xB9\xE6\x97\xA5";
    EXPECT_EQ(Cp932ToUtf8(cp932), utf8);
    EXPECT_EQ(Utf8ToCp932(utf8), cp932);
}

TEST(Cp932Test, InvalidOrIncompleteBytesBecomeReplacementCharacters)
{
    EXPECT_EQ(Cp932ToUtf8("a\x82"), "a" + REPLACEMENT);
    EXPECT_EQ(Cp932ToUtf8("\xFF" "b"), REPLACEMENT + "b");
    EXPECT_EQ(Cp932ToUtf8(""), "");
}

TEST(Cp932Test, UnrepresentableOrMalformedUtf8GivesNothing)
{
    EXPECT_FALSE(Utf8ToCp932("\xE2\x82\xAC").has_value()); // euro sign
    EXPECT_FALSE(Utf8ToCp932("\xF0\x9F\x98\x80").has_value()); // emoji
    EXPECT_FALSE(Utf8ToCp932("a\xC3").has_value()); // cut short
    EXPECT_FALSE(Utf8ToCp932("\xC0\xAF").has_value()); // overlong
    EXPECT_EQ(Utf8ToCp932(""), std::string());
}

} // namespace
