// Text boxes: opaque, one line high, inside the label rows, and covering what they replace.
#include "Bitmap.h"
#include "DC.h"
#include "SurfaceCheck.h"

#include <algorithm>

namespace {

constexpr COLORREF BLACK = 0x000000, WHITE = 0xFFFFFF, RED = 0x0000FF, BLUE = 0xFF0000, GREY = 0x808080;
constexpr int W = 640, H = 400;

// What one TextOut changed on a grey surface.
struct Extent {
    int left = W, top = H, right = -1, bottom = -1;
    int nChanged = 0, nInk = 0, nStray = 0;
    bool IsSolidBox() const { return nChanged == (right - left + 1) * (bottom - top + 1); }
};

Extent DrawOnGrey(int x, int y, const char* text, COLORREF crText, COLORREF crBk)
{
    CBitmap bmp;
    bmp.CreateBitmap(W, H);
    std::fill(bmp.Bits(), bmp.Bits() + W * H, 0xFF808080u);
    CDC dc;
    dc.SelectObject(&bmp);
    dc.SetBkColor(crBk);
    dc.SetTextColor(crText);
    EXPECT_TRUE(dc.TextOut(x, y, text));
    Extent e;
    for (int py = 0; py < H; ++py)
        for (int px = 0; px < W; ++px)
            if (const COLORREF c = dc.GetPixel(px, py); c != GREY) {
                e = {std::min(e.left, px), std::min(e.top, py), std::max(e.right, px), std::max(e.bottom, py),
                     e.nChanged + 1, e.nInk + (c == crText), e.nStray + (c != crText && c != crBk)};
            }
    return e;
}

TEST(TextTest, LabelsAreOpaqueBoxesInsideTheirRows)
{
    const Extent top = DrawOnGrey(270, 0, "vantrel", WHITE, BLACK);
    EXPECT_EQ(top.left, 270);
    EXPECT_EQ(top.top, 0);
    EXPECT_GE(top.bottom, 12);
    EXPECT_LE(top.bottom, 18);
    EXPECT_GT(top.nInk, 20);
    EXPECT_EQ(top.nStray, 0);
    EXPECT_TRUE(top.IsSolidBox());

    // Japanese text in odd colours at the bottom label row.
    const Extent bottom = DrawOnGrey(550, 380, "\x83\x58\x83\x65\x81\x5B\x83\x57", RED, BLUE);
    EXPECT_EQ(bottom.left, 550);
    EXPECT_EQ(bottom.top, 380);
    EXPECT_LE(bottom.bottom, 398);
    EXPECT_GT(bottom.nInk, 40);
    EXPECT_EQ(bottom.nStray, 0);
    EXPECT_TRUE(bottom.IsSolidBox());
}

TEST(TextTest, ShorterScoreWithTrailingSpacesLeavesNoOldDigit)
{
    CBitmap over, fresh;
    CDC overDC, freshDC;
    for (auto [pBmp, pDC] : {std::pair{&over, &overDC}, std::pair{&fresh, &freshDC}}) {
        pBmp->CreateBitmap(W, H);
        pDC->SelectObject(pBmp);
        pDC->SetBkColor(BLACK);
        pDC->SetTextColor(WHITE);
    }
    overDC.TextOut(30, 380, "score 12345       ");
    overDC.TextOut(30, 380, "score 678       ");
    freshDC.TextOut(30, 380, "score 678       ");
    EXPECT_TRUE(SurfaceIs(overDC, W, H, [&](int x, int y) { return freshDC.GetPixel(x, y); }));
}

} // namespace
