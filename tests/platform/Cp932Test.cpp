// Code page 932 conversion: round trips, replacement of bad bytes, unrepresentable characters.
#include "Cp932.h"

#include <gtest/gtest.h>

TEST(Cp932Test, RoundTripsReplacesBadBytesAndRefusesWhatItCannotHold)
{
    // "abc\" U+3042 U+30B9 U+65E5 in both encodings.
    const std::string cp932 = "abc\\\x82\xA0\x83\x58\x93\xFA", utf8 = "abc\\\xE3\x81\x82\xE3\x82\xB9\xE6\x97\xA5";
    EXPECT_EQ(Cp932ToUtf8(cp932), utf8);
    EXPECT_EQ(Utf8ToCp932(utf8), cp932);
    // An incomplete or invalid byte becomes U+FFFD.
    EXPECT_EQ(Cp932ToUtf8("a\x82"), "a\xEF\xBF\xBD");
    EXPECT_EQ(Cp932ToUtf8("\xFF"
                          "b"),
              "\xEF\xBF\xBD"
              "b");
    // Euro sign, emoji, cut short, overlong.
    for (const char* bad : {"\xE2\x82\xAC", "\xF0\x9F\x98\x80", "a\xC3", "\xC0\xAF"})
        EXPECT_FALSE(Utf8ToCp932(bad).has_value()) << bad;
}
