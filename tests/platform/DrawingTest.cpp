// Pixel rules of ellipses, pixels and block transfers on a 640 x 400 surface.
#include "Pen.h"
#include "SurfaceCheck.h"

namespace {

// Packed 0x00BBGGRR values, written out rather than computed.
constexpr COLORREF BLACK = 0x000000, WHITE = 0xFFFFFF, RED = 0x0000FF;
constexpr COLORREF GREEN = 0x00FF00, BLUE = 0xFF0000, YELLOW = 0x00FFFF, GREY = 0x808080;

constexpr auto In = [](int v, int lo, int hi) { return v >= lo && v <= hi; };

// A grey surface: every pixel a drawing call did not touch stays grey. The
// rectangles of the field are checked pixel for pixel by the core's tests.
class DrawingTest : public testing::Test {
protected:
    Surface m_grey{640, 400, 0xFF808080u};
    CDC& m_dc = m_grey.dc;
};

// A 2 x 2 box gives a 2 x 2 dot in the pen's colour, clipped at the edge; the
// game's colours read back exactly, also after a whole-surface copy; reads and
// writes outside are invalid. Blackness clears the surface.
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

// A 32 x 32 sprite: the mask white on the left half and black on the right, the
// image black on the left and a different colour per pixel on the right. Blitted
// AND then OR, the background stays under white and the image replaces it under
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

} // namespace
