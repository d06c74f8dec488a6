// Pixel rules of rectangles, ellipses, pixels and block transfers on a 640 x 400 surface.
#include "Bitmap.h"
#include "Brush.h"
#include "DC.h"
#include "Pen.h"
#include "SurfaceCheck.h"

#include <algorithm>

namespace {

// Packed 0x00BBGGRR values, written out rather than computed.
constexpr COLORREF BLACK = 0x000000, WHITE = 0xFFFFFF, RED = 0x0000FF;
constexpr COLORREF GREEN = 0x00FF00, BLUE = 0xFF0000, YELLOW = 0x00FFFF, GREY = 0x808080;
constexpr int W = 640, H = 400;

bool In(int v, int lo, int hi) { return v >= lo && v <= hi; }

class DrawingTest : public testing::Test {
protected:
    void SetUp() override
    {
        m_bmp.CreateBitmap(W, H);
        std::fill(m_bmp.Bits(), m_bmp.Bits() + W * H, 0xFF808080u); // grey: untouched
        m_dc.CreateCompatibleDC(nullptr);
        m_pOld = m_dc.SelectObject(&m_bmp);
    }
    void TearDown() override { m_dc.SelectObject(m_pOld); }

    // Draws one rectangle with its own pen and brush, restoring the context's.
    void Rect(int nPenWidth, COLORREF crPen, COLORREF crBrush, RECT rc)
    {
        CPen pen(PS_SOLID, nPenWidth, crPen);
        CBrush brush(crBrush);
        CPen* pOldPen = m_dc.SelectObject(&pen);
        CBrush* pOldBrush = m_dc.SelectObject(&brush);
        m_dc.Rectangle(&rc);
        m_dc.SelectObject(pOldBrush);
        m_dc.SelectObject(pOldPen);
    }

    CBitmap m_bmp;
    CDC m_dc;
    CBitmap* m_pOld = nullptr;
};

TEST_F(DrawingTest, FrameAndGateWithTwoPixelPens)
{
    Rect(2, GREEN, BLACK, {10, 20, 629, 379});
    Rect(2, BLUE, BLACK, {628, 179, 629, 219});
    EXPECT_TRUE(SurfaceIs(m_dc, W, H, [](int x, int y) {
        if (In(x, 627, 628) && In(y, 178, 218))
            return BLUE;
        const bool bColumn = (In(x, 9, 10) || In(x, 627, 628)) && In(y, 19, 378);
        const bool bRow = (In(y, 19, 20) || In(y, 377, 378)) && In(x, 9, 628);
        if (bColumn || bRow)
            return GREEN;
        return In(x, 11, 626) && In(y, 21, 376) ? BLACK : GREY;
    }));
}

TEST_F(DrawingTest, OnePixelPenOutlinesFirstAndLastColumnAndRow)
{
    Rect(1, YELLOW, BLUE, {12, 169, 17, 229});
    EXPECT_TRUE(SurfaceIs(m_dc, W, H, [](int x, int y) {
        if (!In(x, 12, 16) || !In(y, 169, 228))
            return GREY;
        return x == 12 || x == 16 || y == 169 || y == 228 ? YELLOW : BLUE;
    }));
}

TEST_F(DrawingTest, NewContextHoldsBlackOnePixelPenAndReturnsPreviousTools)
{
    CBrush red(RED);
    CBrush* pStockBrush = m_dc.SelectObject(&red);
    m_dc.Rectangle(0, 0, W, H);
    EXPECT_TRUE(SurfaceIs(m_dc, W, H, [](int x, int y) {
        return x == 0 || x == W - 1 || y == 0 || y == H - 1 ? BLACK : RED;
    }));

    CPen a(PS_SOLID, 2, GREEN), b(PS_SOLID, 1, BLUE);
    CPen* pStockPen = m_dc.SelectObject(&a);
    ASSERT_NE(pStockPen, nullptr);
    EXPECT_EQ(pStockPen->GetWidth(), 1);
    EXPECT_EQ(pStockPen->GetColor(), BLACK);
    EXPECT_EQ(m_dc.SelectObject(&b), &a);
    EXPECT_EQ(m_dc.SelectObject(pStockPen), &b);
    EXPECT_EQ(m_dc.SelectObject(pStockBrush), &red);
    CBitmap other;
    EXPECT_EQ(m_dc.SelectObject(&other), &m_bmp);
    EXPECT_EQ(m_dc.SelectObject(&m_bmp), &other);
}

TEST_F(DrawingTest, StarBoxGivesTwoByTwoDotInPenColour)
{
    CPen yellow(PS_SOLID, 1, YELLOW);
    CPen* pOldPen = m_dc.SelectObject(&yellow);
    m_dc.Ellipse(100, 50, 102, 52);
    m_dc.Ellipse(W - 1, H - 1, W + 1, H + 1); // half outside: clipped, not a crash
    m_dc.SelectObject(pOldPen);
    EXPECT_TRUE(SurfaceIs(m_dc, W, H, [](int x, int y) {
        return (In(x, 100, 101) && In(y, 50, 51)) || (x == W - 1 && y == H - 1) ? YELLOW : GREY;
    }));
}

TEST_F(DrawingTest, PixelsReadBackExactlyInsideAndInvalidOutside)
{
    const COLORREF colours[] = {BLACK, WHITE, RED, GREEN, BLUE, YELLOW};
    for (int i = 0; i < 6; ++i)
        m_dc.SetPixel(300 + i, 200, colours[i]);
    for (POINT pt : {POINT{-1, 0}, POINT{0, -1}, POINT{W, 0}, POINT{0, H}}) {
        EXPECT_EQ(m_dc.GetPixel(pt.x, pt.y), CLR_INVALID);
        EXPECT_EQ(m_dc.SetPixel(pt.x, pt.y, RED), CLR_INVALID);
    }
    EXPECT_TRUE(SurfaceIs(m_dc, W, H, [&](int x, int y) { return y == 200 && In(x, 300, 305) ? colours[x - 300] : GREY; }));
    EXPECT_EQ(CDC().GetPixel(0, 0), CLR_INVALID);
}

// A 32 x 32 sprite pair: the mask is white on the left half and black on the
// right; the image is black on the left and red/blue stripes on the right.
class SpriteTest : public DrawingTest {
protected:
    void SetUp() override
    {
        DrawingTest::SetUp();
        for (CBitmap* p : {&m_mask, &m_image})
            p->CreateBitmap(32, 32);
        m_maskDC.SelectObject(&m_mask);
        m_imageDC.SelectObject(&m_image);
        for (int y = 0; y < 32; ++y)
            for (int x = 0; x < 32; ++x) {
                m_maskDC.SetPixel(x, y, x < 16 ? WHITE : BLACK);
                m_imageDC.SetPixel(x, y, x < 16 ? BLACK : ImageAt(x, y));
            }
    }
    static COLORREF ImageAt(int, int y) { return y % 2 ? RED : BLUE; }
    void Blit(int x, int y)
    {
        m_dc.BitBlt(x, y, 32, 32, &m_maskDC, 0, 0, SRCAND);
        m_dc.BitBlt(x, y, 32, 32, &m_imageDC, 0, 0, SRCPAINT);
    }

    CBitmap m_mask, m_image;
    CDC m_maskDC, m_imageDC;
};

TEST_F(SpriteTest, WhiteMaskKeepsBackgroundBlackMaskTakesImage)
{
    Blit(100, 100);
    EXPECT_TRUE(SurfaceIs(m_dc, W, H, [](int x, int y) {
        return In(x, 116, 131) && In(y, 100, 131) ? ImageAt(x - 100, y - 100) : GREY;
    }));
}

TEST_F(SpriteTest, ClippedAtRightAndBottomAndAtNegativeCoordinates)
{
    Blit(611, 380); // right half lands on columns 627-639; rows 380-399 only
    Blit(-20, -10); // image columns 20-31, rows 10-31 land at 0-11, 0-21
    EXPECT_TRUE(SurfaceIs(m_dc, W, H, [](int x, int y) {
        if (In(x, 627, 639) && In(y, 380, 399))
            return ImageAt(x - 611, y - 380);
        if (In(x, 0, 11) && In(y, 0, 21))
            return ImageAt(x + 20, y + 10);
        return GREY;
    }));
}

TEST_F(DrawingTest, WholeSurfaceCopyAndBlackness)
{
    CBitmap back;
    back.CreateBitmap(W, H);
    CDC backDC;
    backDC.SelectObject(&back);
    backDC.SetPixel(W - 1, H - 1, BLUE);
    backDC.BitBlt(0, 0, W, H, &m_dc, 0, 0, SRCCOPY);
    EXPECT_TRUE(SurfaceIs(backDC, W, H, [](int, int) { return GREY; }));
    backDC.PatBlt(0, 0, W, H, BLACKNESS);
    EXPECT_TRUE(SurfaceIs(backDC, W, H, [](int, int) { return BLACK; }));
}

TEST(BitmapTest, LoadsEmbeddedSpriteAndRejectsUnknownIds)
{
    CBitmap crash;
    ASSERT_TRUE(crash.LoadBitmap(106));
    EXPECT_EQ(crash.GetWidth(), 32);
    EXPECT_EQ(crash.GetHeight(), 32);
    CBitmap unknown;
    EXPECT_FALSE(unknown.LoadBitmap(9999));
    EXPECT_TRUE(unknown.IsEmpty());
}

} // namespace
