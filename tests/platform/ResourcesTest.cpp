// The compiled-in resources: crash image and mask, icon, and the key numbers of the menu and dialog templates.
#include "Resources.h"
#include "Bitmap.h"
#include "Cp932.h"

#include <gtest/gtest.h>

#include <map>
#include <set>
#include <tuple>

namespace {

constexpr COLORREF BLACK = 0x000000, WHITE = 0xFFFFFF;

// How many pixels of each colour a square resource image has.
std::map<COLORREF, int> LoadColours(CBitmap& bmp, unsigned nID, int nSize = 32)
{
    std::map<COLORREF, int> counts;
    EXPECT_TRUE(bmp.LoadBitmap(nID));
    EXPECT_EQ(std::pair(bmp.GetWidth(), bmp.GetHeight()), std::pair(nSize, nSize));
    for (int i = 0; i < bmp.GetWidth() * bmp.GetHeight(); ++i)
        ++counts[CBitmap::FromPixel(bmp.Bits()[i])];
    return counts;
}

// A pale yellow burst with orange and red flecks and about a dozen white
// pixels, 216 black pixels around it; the mask is its exact complement.
TEST(ResourceImages, CrashImageIsABurstAndTheMaskItsExactComplement)
{
    CBitmap image, mask, unknown;
    const std::map<COLORREF, int> counts = LoadColours(image, 106);
    LoadColours(mask, 110);
    const COLORREF paleYellow = 0x66FFFF, orange = 0x3366FF, red = 0x0000FF;
    for (const auto& [colour, n] : counts)
        EXPECT_TRUE((std::set{BLACK, WHITE, paleYellow, orange, red}.count(colour))) << std::hex << colour;
    EXPECT_EQ(counts.at(BLACK), 216);
    EXPECT_GE(counts.at(WHITE), 10);
    EXPECT_LE(counts.at(WHITE), 14);
    EXPECT_GT(counts.at(paleYellow), counts.at(orange) + counts.at(red) + counts.at(WHITE));
    for (int i = 0; i < 32 * 32; ++i)
        EXPECT_EQ(CBitmap::FromPixel(mask.Bits()[i]), CBitmap::FromPixel(image.Bits()[i]) == BLACK ? WHITE : BLACK)
            << i;
    EXPECT_FALSE(unknown.LoadBitmap(107));
    EXPECT_TRUE(unknown.IsEmpty());
}

// Both the 32 x 32 icon and the one drawn for 16 x 16 keep the yellow stars
// and "V" and the red trail on black, in the standard 16 colours.
TEST(ResourceImages, IconsUseTheSixteenColourPaletteAndKeepTheTrail)
{
    const std::set<COLORREF> vga = {0x000000, 0x000080, 0x008000, 0x008080, 0x800000, 0x800080, 0x808000, 0xC0C0C0,
                                    0x808080, 0x0000FF, 0x00FF00, 0x00FFFF, 0xFF0000, 0xFF00FF, 0xFFFF00, 0xFFFFFF};
    for (const auto& [nID, nSize] : {std::pair(102U, 32), std::pair(103U, 16)}) {
        CBitmap icon;
        const std::map<COLORREF, int> counts = LoadColours(icon, nID, nSize);
        for (const auto& [colour, n] : counts)
            EXPECT_TRUE(vga.count(colour)) << std::hex << colour;
        for (const COLORREF motif : {BLACK, COLORREF(0x00FFFF), COLORREF(0x0000FF)})
            EXPECT_TRUE(counts.count(motif)) << nID << " lacks " << std::hex << motif;
    }
}

// Ranking stands before About although its id is the higher one; the edit box
// comes first in the name dialog, so it gets the focus.
TEST(ResourceTemplates, MenuCommandsAndDialogLayouts)
{
    const std::span<const ResMenuItem> bar = FindMenuResource(101);
    ASSERT_EQ(bar.size(), 3u);
    ASSERT_EQ(bar[0].children.size(), 2u);
    EXPECT_EQ(std::tuple(bar[0].children[0].nID, bar[0].children[1].nID, bar[1].nID, bar[2].nID),
              std::tuple(40001u, 40002u, 40005u, 40004u));
    const ResDialog* pName = FindDialogResource(111);
    const ResDialog* pAbout = FindDialogResource(112);
    ASSERT_TRUE(pName && pAbout);
    for (const ResDialog* pDlg : {pName, pAbout})
        EXPECT_EQ(std::tuple(pDlg->dwStyle, pDlg->fontName, pDlg->nPointSize),
                  std::tuple(0x80C800C0u, Utf8ToCp932("ＭＳ Ｐゴシック").value(), 9));
    EXPECT_EQ(std::tuple(pName->cx, pName->cy, pAbout->cx, pAbout->cy), std::tuple(135, 61, 211, 49));
    ASSERT_EQ(pName->controls.size(), 3u);
    EXPECT_EQ(std::pair(pName->controls[0].kind, pName->controls[0].nID), std::pair(ResControlKind::Edit, 1000));
}

} // namespace
