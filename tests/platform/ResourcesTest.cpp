// Tests of the compiled-in resources: sprite and icon pixels, menu and dialog templates.
#include "Bitmap.h"
#include "Cp932.h"
#include "Resources.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <map>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

namespace {

constexpr unsigned ICON_ID = 102, CRASH_ID = 106, MASK_ID = 110, MENU_ID = 101, NAME_DLG_ID = 111, ABOUT_DLG_ID = 112;
constexpr COLORREF BLACK = RGB(0, 0, 0), WHITE = RGB(255, 255, 255);

std::map<COLORREF, int> CountColours(const CBitmap& bmp)
{
    std::map<COLORREF, int> counts;
    for (int i = 0; i < bmp.GetWidth() * bmp.GetHeight(); ++i)
        ++counts[CBitmap::FromPixel(bmp.Bits()[i])];
    return counts;
}

// Every field of a control as one string, so a mismatch shows the whole control.
std::string Describe(const ResControl& c)
{
    std::ostringstream out;
    out << int(c.kind) << " id " << c.nID << " at " << c.x << "," << c.y << " size " << c.cx << "x" << c.cy
        << " style 0x" << std::hex << c.dwStyle << std::dec << " '" << c.text << "' icon " << c.nIconID;
    return out.str();
}

COLORREF PixelAt(const CBitmap& bmp, int x, int y)
{
    return CBitmap::FromPixel(bmp.Bits()[y * bmp.GetWidth() + x]);
}

} // namespace

TEST(ResourceImages, EveryRowIs32CharactersFromItsPalette)
{
    for (unsigned nID : {ICON_ID, CRASH_ID, MASK_ID}) {
        SCOPED_TRACE(nID);
        const ResImage* pImage = FindImageResource(nID);
        ASSERT_NE(pImage, nullptr);
        EXPECT_EQ(pImage->nWidth, 32);
        EXPECT_EQ(pImage->nHeight, 32);
        ASSERT_EQ(pImage->rows.size(), 32u);
        for (const char* pszRow : pImage->rows) {
            ASSERT_EQ(std::strlen(pszRow), 32u) << pszRow;
            for (const char* p = pszRow; *p != '\0'; ++p)
                EXPECT_TRUE(std::any_of(pImage->palette.begin(), pImage->palette.end(),
                                        [&](const ResPaletteEntry& e) { return e.chKey == *p; }))
                    << "'" << *p << "' in " << pszRow;
        }
    }
    EXPECT_EQ(FindImageResource(107), nullptr);
}

TEST(ResourceImages, CrashImageIsABurstWith216BlackPixelsAroundIt)
{
    CBitmap image;
    ASSERT_TRUE(image.LoadBitmap(CRASH_ID));
    const std::map<COLORREF, int> counts = CountColours(image);
    const COLORREF paleYellow = RGB(255, 255, 102), orange = RGB(255, 102, 51), red = RGB(255, 0, 0);
    for (const auto& [colour, n] : counts)
        EXPECT_TRUE(colour == BLACK || colour == WHITE || colour == paleYellow || colour == orange || colour == red)
            << std::hex << colour;
    EXPECT_EQ(counts.at(BLACK), 216);
    EXPECT_GE(counts.at(WHITE), 10);
    EXPECT_LE(counts.at(WHITE), 14);
    EXPECT_GT(counts.at(orange), 0);
    EXPECT_GT(counts.at(red), 0);
    // The body is pale yellow: more of it than of every fleck colour together.
    EXPECT_GT(counts.at(paleYellow), counts.at(orange) + counts.at(red) + counts.at(WHITE));
    // The burst fills the middle; its black surroundings hug the border.
    for (int y = 8; y < 24; ++y)
        for (int x = 8; x < 24; ++x)
            EXPECT_NE(PixelAt(image, x, y), BLACK) << x << "," << y;
}

TEST(ResourceImages, MaskIsTheExactComplementOfTheImage)
{
    CBitmap image, mask;
    ASSERT_TRUE(image.LoadBitmap(CRASH_ID));
    ASSERT_TRUE(mask.LoadBitmap(MASK_ID));
    ASSERT_EQ(mask.GetWidth(), 32);
    ASSERT_EQ(mask.GetHeight(), 32);
    for (int y = 0; y < 32; ++y)
        for (int x = 0; x < 32; ++x)
            EXPECT_EQ(PixelAt(mask, x, y), PixelAt(image, x, y) == BLACK ? WHITE : BLACK) << x << "," << y;
}

TEST(ResourceImages, IconUsesTheSixteenColourPaletteWithItsMotifs)
{
    const std::vector<COLORREF> vga = {
        RGB(0, 0, 0),       RGB(128, 0, 0),   RGB(0, 128, 0),   RGB(128, 128, 0), RGB(0, 0, 128),   RGB(128, 0, 128),
        RGB(0, 128, 128),   RGB(192, 192, 192), RGB(128, 128, 128), RGB(255, 0, 0), RGB(0, 255, 0), RGB(255, 255, 0),
        RGB(0, 0, 255),     RGB(255, 0, 255), RGB(0, 255, 255), RGB(255, 255, 255),
    };
    CBitmap icon;
    ASSERT_TRUE(icon.LoadBitmap(ICON_ID));
    const std::map<COLORREF, int> counts = CountColours(icon);
    for (const auto& [colour, n] : counts)
        EXPECT_NE(std::find(vga.begin(), vga.end(), colour), vga.end()) << std::hex << colour;
    // A black field carrying yellow (dots and monogram) and a red trail.
    EXPECT_GT(counts.at(BLACK), 32 * 32 / 2);
    EXPECT_GT(counts.at(RGB(255, 255, 0)), 0);
    EXPECT_GT(counts.at(RGB(255, 0, 0)), 0);
}

TEST(ResourceMenu, MenuBarOrderTextsAndCommands)
{
    const std::span<const ResMenuItem> bar = FindMenuResource(MENU_ID);
    ASSERT_EQ(bar.size(), 3u);
    EXPECT_EQ(bar[0].text, "Game(&G)");
    ASSERT_EQ(bar[0].children.size(), 2u); // no separator
    EXPECT_EQ(bar[0].children[0].text, "Start(&S)");
    EXPECT_EQ(bar[0].children[0].nID, 40001u);
    EXPECT_EQ(bar[0].children[1].text, "Exit(&X)");
    EXPECT_EQ(bar[0].children[1].nID, 40002u);
    // Ranking stands before About although its id is the higher one.
    EXPECT_EQ(bar[1].text, "Ranking(&R)");
    EXPECT_EQ(bar[1].nID, 40005u);
    EXPECT_EQ(bar[2].text, "About(&A)");
    EXPECT_EQ(bar[2].nID, 40004u);
    EXPECT_TRUE(FindMenuResource(102).empty());
}

TEST(ResourceDialogs, TemplatesCarryTheirSizesStylesAndControls)
{
    const ResDialog* pName = FindDialogResource(NAME_DLG_ID);
    const ResDialog* pAbout = FindDialogResource(ABOUT_DLG_ID);
    ASSERT_NE(pName, nullptr);
    ASSERT_NE(pAbout, nullptr);
    EXPECT_EQ(FindDialogResource(113), nullptr);
    const std::string font = Utf8ToCp932("ＭＳ Ｐゴシック").value();
    for (const ResDialog* pDlg : {pName, pAbout}) {
        EXPECT_EQ(pDlg->dwStyle, 0x80C800C0u);
        EXPECT_EQ(pDlg->fontName, font);
        EXPECT_EQ(pDlg->nPointSize, 9);
    }
    EXPECT_EQ(std::pair(pName->cx, pName->cy), std::pair(135, 61));
    EXPECT_EQ(pName->caption, "Type your Name.");
    // Template order is the tab order: the edit box comes first and gets the focus.
    ASSERT_EQ(pName->controls.size(), 3u);
    EXPECT_EQ(Describe(pName->controls[0]), Describe({ResControlKind::Edit, 1000, 19, 18, 93, 16, 0x50810080, "", 0}));
    EXPECT_EQ(Describe(pName->controls[1]), Describe({ResControlKind::PushButton, 1, 52, 40, 30, 14, 0x50010001, "OK", 0}));
    EXPECT_EQ(Describe(pName->controls[2]), Describe({ResControlKind::Label, -1, 12, 7, 108, 8, 0x50020000,
                                                      "Type your Name.(Within 8 character)", 0}));

    EXPECT_EQ(std::pair(pAbout->cx, pAbout->cy), std::pair(211, 49));
    EXPECT_EQ(pAbout->caption, Utf8ToCp932("Vantrelのバージョン情報").value());
    ASSERT_EQ(pAbout->controls.size(), 4u);
    EXPECT_EQ(Describe(pAbout->controls[0]), Describe({ResControlKind::PushButton, 1, 154, 7, 50, 14, 0x50010001, "OK", 0}));
    EXPECT_EQ(Describe(pAbout->controls[1]), Describe({ResControlKind::Icon, -1, 7, 14, 18, 21, 0x50000003, "", ICON_ID}));
    EXPECT_EQ(Describe(pAbout->controls[2]), Describe({ResControlKind::Label, -1, 33, 7, 62, 8, 0x50020000,
                                                       "Vantrel Ver.0.2", 0}));
    const ResControl& credit = pAbout->controls[3];
    EXPECT_EQ(Describe({credit.kind, credit.nID, credit.x, credit.y, credit.cx, credit.cy, credit.dwStyle, "", 0}),
              Describe({ResControlKind::Label, -1, 33, 22, 112, 8, 0x50020000, "", 0}));
    // The release date, three blanks, then the credit line.
    EXPECT_EQ(credit.text.substr(0, 12), "2002.9.12   ");
    EXPECT_GT(credit.text.size(), 12u);
    EXPECT_NE(credit.text[12], ' ');
}
