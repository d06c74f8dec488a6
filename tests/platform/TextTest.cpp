// Text boxes: opaque, one line high, inside the label rows, and covering what they replace.
#include "Bitmap.h"
#include "DC.h"
#include "SurfaceCheck.h"

#include <algorithm>
#include <string>

namespace {

constexpr COLORREF BLACK = 0x000000, WHITE = 0xFFFFFF, RED = 0x0000FF, BLUE = 0xFF0000, GREY = 0x808080;
constexpr int W = 640, H = 400;

struct Extent {
    int left = W, top = H, right = -1, bottom = -1;
    int nInk = 0;
};

// Draws text on a grey surface and returns the bounding box of what changed;
// fails when a changed pixel is neither the text nor the background colour.
Extent DrawOnGrey(int x, int y, const std::string& text, COLORREF crText, COLORREF crBk)
{
    CBitmap bmp;
    bmp.CreateBitmap(W, H);
    CDC dc;
    dc.SelectObject(&bmp);
    std::fill(bmp.Bits(), bmp.Bits() + W * H, 0xFF808080u);
    dc.SetBkColor(crBk);
    dc.SetTextColor(crText);
    EXPECT_TRUE(dc.TextOut(x, y, text));
    Extent e;
    for (int py = 0; py < H; ++py)
        for (int px = 0; px < W; ++px) {
            const COLORREF c = dc.GetPixel(px, py);
            if (c == GREY)
                continue;
            EXPECT_TRUE(c == crText || c == crBk) << "stray colour at " << px << "," << py;
            e = {std::min(e.left, px), std::min(e.top, py), std::max(e.right, px), std::max(e.bottom, py),
                 e.nInk + (c == crText)};
        }
    return e;
}

TEST(TextTest, LabelsStayInsideTheirRowsOnAnOpaqueBox)
{
    const Extent top = DrawOnGrey(270, 0, "vantrel", WHITE, BLACK);
    EXPECT_EQ(top.left, 270);
    EXPECT_EQ(top.top, 0);
    EXPECT_GE(top.bottom, 12);
    EXPECT_LE(top.bottom, 18);
    EXPECT_GT(top.nInk, 20);

    const Extent bottom = DrawOnGrey(550, 380, "stage 12", RED, BLUE);
    EXPECT_EQ(bottom.left, 550);
    EXPECT_EQ(bottom.top, 380);
    EXPECT_LE(bottom.bottom, 398);
    EXPECT_LE(bottom.right, W - 1);
}

TEST(TextTest, JapaneseTextDrawsInkInsideItsLine)
{
    const Extent e = DrawOnGrey(100, 380, "\x83\x58\x83\x65\x81\x5B\x83\x57", WHITE, BLACK);
    EXPECT_GT(e.nInk, 40);
    EXPECT_EQ(e.top, 380);
    EXPECT_LE(e.bottom, 398);
}

TEST(TextTest, ShorterScoreWithTrailingSpacesLeavesNoOldDigit)
{
    CBitmap over, fresh;
    over.CreateBitmap(W, H);
    fresh.CreateBitmap(W, H);
    CDC overDC, freshDC;
    overDC.SelectObject(&over);
    freshDC.SelectObject(&fresh);
    for (CDC* dc : {&overDC, &freshDC}) {
        dc->SetBkColor(BLACK);
        dc->SetTextColor(WHITE);
    }
    overDC.TextOut(30, 380, "score 12345       ");
    overDC.TextOut(30, 380, "score 678       ");
    freshDC.TextOut(30, 380, "score 678       ");
    EXPECT_TRUE(SurfaceIs(overDC, W, H, [&](int x, int y) { return freshDC.GetPixel(x, y); }));
}

} // namespace
