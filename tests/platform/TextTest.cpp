// Text boxes: opaque, one line high, inside the label rows, and covering what they replace.
#include "SurfaceCheck.h"

#include <utility>

namespace {

constexpr COLORREF BLACK = 0x000000, WHITE = 0xFFFFFF, GREY = 0x808080;

// TextOut on a grey surface changes exactly a solid box with its top-left at
// (x, y), one text line high and ending by row nBottomMax, holding some ink
// in the text colour and nothing but the two colours. Returns the box's
// width and its number of ink pixels.
std::pair<int, int> ExpectLabelBox(int x, int y, int nBottomMax, const char* text, COLORREF crText, COLORREF crBk)
{
    Surface grey(640, 400, 0xFF808080u);
    CDC& dc = grey.dc;
    dc.SetBkColor(crBk);
    dc.SetTextColor(crText);
    EXPECT_TRUE(dc.TextOut(x, y, text));
    int right = x, bottom = y, nInk = 0;
    while (right < 639 && dc.GetPixel(right + 1, y) != GREY)
        ++right;
    while (bottom < 399 && dc.GetPixel(x, bottom + 1) != GREY)
        ++bottom;
    EXPECT_GE(bottom, y + 12);
    EXPECT_LE(bottom, nBottomMax);
    EXPECT_TRUE(SurfaceIs(dc, [&](int px, int py) {
        if (px < x || px > right || py < y || py > bottom)
            return GREY;
        const COLORREF c = dc.GetPixel(px, py);
        nInk += c == crText;
        return c == crText ? crText : crBk;
    }));
    EXPECT_GT(nInk, 20);
    return {right - x + 1, nInk};
}

// The title in the top label row (0 to 18); Japanese text in odd colours in
// the bottom one (379 to 399): neither touches the frame.
TEST(TextTest, LabelsAreOpaqueBoxesInsideTheirRows)
{
    // The title's box and ink as the label font draws them.
    EXPECT_EQ(ExpectLabelBox(270, 0, 18, "vantrel", WHITE, BLACK), std::make_pair(46, 121));
    ExpectLabelBox(550, 380, 398, "\x83\x58\x83\x65\x81\x5B\x83\x57", 0x0000FF, 0xFF0000);
}

// The font holds printable ASCII only: every other character, single- or
// double-byte, draws one '?', and a second byte never shows as a letter.
TEST(TextTest, OtherCharactersDrawAsQuestionMarks)
{
    Surface other, marks;
    other.dc.TextOut(30, 380, "\x83\x58\x83\x65\x81\x5B\x83\x57\xB1\x01");
    marks.dc.TextOut(30, 380, "??????");
    EXPECT_TRUE(SurfaceIs(other.dc, [&](int x, int y) { return marks.dc.GetPixel(x, y); }));
}

} // namespace
