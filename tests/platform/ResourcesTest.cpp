// The compiled-in crash image and its mask, which the crash sprite is drawn with.
#include "Bitmap.h"

#include <gtest/gtest.h>

#include <map>
#include <set>
#include <tuple>

namespace {

constexpr COLORREF BLACK = 0x000000, WHITE = 0xFFFFFF;

// A pale yellow burst with orange and red flecks and about a dozen white
// pixels, 216 black pixels around it; the mask is its exact complement.
TEST(ResourceImages, CrashImageIsABurstAndTheMaskItsExactComplement)
{
    CBitmap image, mask, unknown;
    ASSERT_TRUE(image.LoadBitmap(106) && mask.LoadBitmap(110));
    ASSERT_EQ(std::tuple(image.GetWidth(), image.GetHeight(), mask.GetWidth(), mask.GetHeight()),
              std::tuple(32, 32, 32, 32));
    std::map<COLORREF, int> counts;
    for (int i = 0; i < 32 * 32; ++i) {
        const COLORREF colour = CBitmap::FromPixel(image.Bits()[i]);
        ++counts[colour];
        EXPECT_EQ(CBitmap::FromPixel(mask.Bits()[i]), colour == BLACK ? WHITE : BLACK) << i;
    }
    const COLORREF paleYellow = 0x66FFFF, orange = 0x3366FF, red = 0x0000FF;
    for (const auto& [colour, n] : counts)
        EXPECT_TRUE((std::set{BLACK, WHITE, paleYellow, orange, red}.count(colour))) << std::hex << colour;
    EXPECT_EQ(counts.at(BLACK), 216);
    EXPECT_GE(counts.at(WHITE), 10);
    EXPECT_LE(counts.at(WHITE), 14);
    EXPECT_GT(counts.at(paleYellow), counts.at(orange) + counts.at(red) + counts.at(WHITE));
    EXPECT_FALSE(unknown.LoadBitmap(107));
    EXPECT_TRUE(unknown.IsEmpty());
}

} // namespace
