// The drawing surface: pixels, dots and masked block transfers, text boxes, and the crash image the sprite comes from.
#include "Pen.h"
#include "SurfaceCheck.h"

#include <map>
#include <set>
#include <tuple>

namespace {

// Packed 0x00BBGGRR values, written out rather than computed.
constexpr COLORREF BLACK = 0x000000, WHITE = 0xFFFFFF, RED = 0x0000FF;
constexpr COLORREF GREEN = 0x00FF00, BLUE = 0xFF0000, YELLOW = 0x00FFFF, GREY = 0x808080;

constexpr auto In = [](int v, int lo, int hi) { return v >= lo && v <= hi; };

// A grey surface: every pixel a drawing call did not touch stays grey. The rectangles of the field are checked pixel
// for pixel by the core's tests.
class DrawingTest : public testing::Test {
protected:
    Surface m_grey{640, 400, 0xFF808080u};
    CDC& m_dc = m_grey.dc;
};

// A 2 x 2 box gives a 2 x 2 dot in the pen's colour, clipped at the edge; the game's colours read back exactly, also
// after a whole-surface copy; reads and writes outside are invalid. Blackness clears the surface.
TEST_F(DrawingTest, StarDotsAndPixelsReadBackExactly)
{
    CPen yellow(PS_SOLID, 1, YELLOW);
    CPen* pOldPen = m_dc.SelectObject(&yellow);
    m_dc.Ellipse(100, 50, 102, 52);
    m_dc.Ellipse(639, 399, 641, 401);
    m_dc.SelectObject(pOldPen);
    const COLORREF colours[] = {BLACK, WHITE, RED, GREEN, BLUE, YELLOW};
    for (int i = 0; i < 6; ++i)
        m_dc.SetPixel(300 + i, 200, colours[i]);
    for (POINT pt : {POINT{-1, 0}, POINT{0, -1}, POINT{640, 0}, POINT{0, 400}}) {
        EXPECT_EQ(m_dc.GetPixel(pt.x, pt.y), CLR_INVALID);
        EXPECT_EQ(m_dc.SetPixel(pt.x, pt.y, RED), CLR_INVALID);
    }
    const auto expected = [&](int x, int y) {
        if (y == 200 && In(x, 300, 305))
            return colours[x - 300];
        return (In(x, 100, 101) && In(y, 50, 51)) || (x == 639 && y == 399) ? YELLOW : GREY;
    };
    EXPECT_TRUE(SurfaceIs(m_dc, expected));
    Surface back;
    back.dc.BitBlt(0, 0, 640, 400, &m_dc, 0, 0, SRCCOPY);
    EXPECT_TRUE(SurfaceIs(back.dc, expected));
    m_dc.PatBlt(0, 0, 640, 400, BLACKNESS);
    EXPECT_TRUE(SurfaceIs(m_dc, [](int, int) { return BLACK; }));
    EXPECT_EQ(CDC().GetPixel(0, 0), CLR_INVALID);
}

// A 32 x 32 sprite: the mask white on the left half and black on the right, the image black on the left and a different
// colour per pixel on the right. Blitted AND then OR, the background stays under white and the image replaces it under
// black; past each edge of the surface the sprite is clipped, not wrapped.
TEST_F(DrawingTest, MaskedSpriteKeepsTheBackgroundUnderWhiteAndIsClippedAtEachEdge)
{
    const auto sprite = [](int x, int y) { return x < 16 ? BLACK : RGB(x * 8, y * 8, 0x80); };
    Surface mask(32, 32), image(32, 32);
    for (int i = 0; i < 32 * 32; ++i) {
        mask.dc.SetPixel(i % 32, i / 32, i % 32 < 16 ? WHITE : BLACK);
        image.dc.SetPixel(i % 32, i / 32, sprite(i % 32, i / 32));
    }
    const POINT at[] = {{100, 100}, {611, 380}, {-20, -10}};
    for (POINT pt : at) {
        m_dc.BitBlt(pt.x, pt.y, 32, 32, &mask.dc, 0, 0, SRCAND);
        m_dc.BitBlt(pt.x, pt.y, 32, 32, &image.dc, 0, 0, SRCPAINT);
    }
    EXPECT_TRUE(SurfaceIs(m_dc, [&](int x, int y) {
        for (POINT pt : at)
            if (In(x - pt.x, 16, 31) && In(y - pt.y, 0, 31))
                return sprite(x - pt.x, y - pt.y);
        return GREY;
    }));
}

// A label is an opaque box one text line high, ink in the text colour on the background colour: the title at the top
// (rows 0 to 18) and in odd colours in the bottom row (379 to 399), neither touching the frame. The glyphs as the
// player sees them, written out row by row.
TEST(TextTest, LabelsDrawTheirGlyphRowsInAnOpaqueBox)
{
    // clang-format off
    const char* const VANTREL[] = {
        "..............................................",
        "..............................................",
        "............................................#.",
        ".........................#..................#.",
        ".........................#..................#.",
        "#.....#..####...#.####..#####.#.##...####...#.",
        "#.....#.#....#..##...##..#....##....#...##..#.",
        ".#...#.......#..#.....#..#....#....#.....#..#.",
        ".#...#...#####..#.....#..#....#....#######..#.",
        ".#...#..#....#..#.....#..#....#....#........#.",
        "..#.#...#....#..#.....#..#....#....#........#.",
        "..#.#...#...##..#.....#..#....#.....#....#..#.",
        "...#.....###.#..#.....#...###.#......####...#.",
        "..............................................",
        "..............................................",
        "..............................................",
    };
    // clang-format on
    struct Label {
        int x, y;
        COLORREF crText, crBk;
    };
    for (const Label& l : {Label{270, 0, WHITE, BLACK}, Label{550, 380, RED, BLUE}}) {
        Surface grey(640, 400, 0xFF808080u);
        grey.dc.SetBkColor(l.crBk);
        grey.dc.SetTextColor(l.crText);
        EXPECT_TRUE(grey.dc.TextOut(l.x, l.y, "vantrel"));
        EXPECT_TRUE(SurfaceIs(grey.dc, [&](int x, int y) {
            if (!In(x - l.x, 0, 45) || !In(y - l.y, 0, 15))
                return GREY;
            return VANTREL[y - l.y][x - l.x] == '#' ? l.crText : l.crBk;
        }));
    }
}

// The font holds printable ASCII only: every other character, single- or double-byte, draws one '?', and a second byte
// never shows as a letter.
TEST(TextTest, OtherCharactersDrawAsQuestionMarks)
{
    Surface other, marks;
    other.dc.TextOut(30, 380, "\x83\x58\x83\x65\x81\x5B\x83\x57\xB1\x01");
    marks.dc.TextOut(30, 380, "??????");
    EXPECT_TRUE(SurfaceIs(other.dc, [&](int x, int y) { return marks.dc.GetPixel(x, y); }));
}

// A pale yellow burst with orange and red flecks and about a dozen white pixels, 216 black pixels around it; the mask
// is its exact complement.
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
