// Memory drawing contexts: rectangles, ellipses, pixels, block transfers and text on CBitmap surfaces.
#include "DC.h"

#include "Bitmap.h"
#include "Brush.h"
#include "LabelFont.h"
#include "Pen.h"

#include <algorithm>
#include <cstring>
#include <utility>

namespace {

// The tools a new context holds; shared by every context and never changed.
CPen g_penStock(PS_SOLID, 1, RGB(0, 0, 0));
CBrush g_brushStock(RGB(255, 255, 255));

// The first column or row of the band a pen covers for an outline along
// `line`: a 1-pixel pen covers the line itself, a 2-pixel pen also the column
// or row before it.
int PenBandStart(int line, int nPenWidth)
{
    return line - nPenWidth / 2;
}

// The part of a surface text may touch: the text's own line box, clipped to the surface.
struct ClipBox {
    int left, top, right, bottom;
};

// A first byte of a code page 932 double-byte character, and a byte that may follow one.
bool IsLeadByte(unsigned char ch)
{
    return (ch >= 0x81 && ch <= 0x9F) || (ch >= 0xE0 && ch <= 0xFC);
}
bool IsTrailByte(unsigned char ch)
{
    return ch >= 0x40 && ch <= 0xFC && ch != 0x7F;
}

// The glyph of the character at text[i], moving i past it. The font holds
// printable ASCII only, so every other character, single- or double-byte,
// draws as '?': it keeps its place in the label, and a double-byte
// character's second byte never shows as a letter of its own.
const LabelGlyph& NextGlyph(std::string_view text, std::size_t& i)
{
    const auto ch = static_cast<unsigned char>(text[i++]);
    if (ch >= LABEL_FIRST_CHAR && ch <= LABEL_LAST_CHAR)
        return g_labelFont[ch - LABEL_FIRST_CHAR];
    if (IsLeadByte(ch) && i < text.size() && IsTrailByte(static_cast<unsigned char>(text[i])))
        ++i;
    return g_labelFont['?' - LABEL_FIRST_CHAR];
}

void DrawGlyphInk(CBitmap& bitmap, const LabelGlyph& glyph, int xPen, int yLine, const ClipBox& clip,
                  std::uint32_t pixel)
{
    for (int r = 0; r < LABEL_LINE_HEIGHT; ++r) {
        const int y = yLine + r;
        if (y < clip.top || y >= clip.bottom)
            continue;
        std::uint32_t* pRow = bitmap.Bits() + std::size_t(y) * std::size_t(bitmap.GetWidth());
        const char* pszRow = glyph.rows[std::size_t(r)];
        for (int i = 0; pszRow[i] != '\0'; ++i) {
            const int x = xPen + glyph.nLeft + i;
            if (pszRow[i] == '#' && x >= clip.left && x < clip.right)
                pRow[x] = pixel;
        }
    }
}

} // namespace

CDC::CDC() : m_pPen(&g_penStock), m_pBrush(&g_brushStock)
{
}

CDC::~CDC() = default;

BOOL CDC::CreateCompatibleDC(CDC*)
{
    DeleteDC();
    return TRUE;
}

BOOL CDC::DeleteDC()
{
    m_pBitmap = nullptr;
    m_pPen = &g_penStock;
    m_pBrush = &g_brushStock;
    return TRUE;
}

CBitmap* CDC::SelectObject(CBitmap* pBitmap)
{
    return std::exchange(m_pBitmap, pBitmap);
}

CPen* CDC::SelectObject(CPen* pPen)
{
    return std::exchange(m_pPen, pPen != nullptr ? pPen : &g_penStock);
}

CBrush* CDC::SelectObject(CBrush* pBrush)
{
    return std::exchange(m_pBrush, pBrush != nullptr ? pBrush : &g_brushStock);
}

void CDC::FillBlock(int x1, int y1, int x2, int y2, std::uint32_t pixel)
{
    if (m_pBitmap == nullptr)
        return;
    x1 = std::max(x1, 0);
    y1 = std::max(y1, 0);
    x2 = std::min(x2, m_pBitmap->GetWidth());
    y2 = std::min(y2, m_pBitmap->GetHeight());
    if (x1 >= x2 || y1 >= y2)
        return;
    std::uint32_t* pRow = m_pBitmap->Bits() + std::size_t(y1) * std::size_t(m_pBitmap->GetWidth());
    for (int y = y1; y < y2; ++y, pRow += m_pBitmap->GetWidth())
        std::fill(pRow + x1, pRow + x2, pixel);
}

BOOL CDC::Rectangle(int x1, int y1, int x2, int y2)
{
    if (m_pBitmap == nullptr)
        return FALSE;
    if (x2 < x1)
        std::swap(x1, x2);
    if (y2 < y1)
        std::swap(y1, y2);
    const int w = m_pPen->GetWidth();
    const std::uint32_t pen = CBitmap::ToPixel(m_pPen->GetColor());
    const int left = PenBandStart(x1, w);
    const int top = PenBandStart(y1, w);
    const int right = PenBandStart(x2 - 1, w); // first column of the right outline
    const int bottom = PenBandStart(y2 - 1, w);
    FillBlock(left + w, top + w, right, bottom, CBitmap::ToPixel(m_pBrush->GetColor()));
    FillBlock(left, top, right + w, top + w, pen);
    FillBlock(left, bottom, right + w, bottom + w, pen);
    FillBlock(left, top, left + w, bottom + w, pen);
    FillBlock(right, top, right + w, bottom + w, pen);
    return TRUE;
}

BOOL CDC::Ellipse(int x1, int y1, int x2, int y2)
{
    if (m_pBitmap == nullptr || x2 <= x1 || y2 <= y1)
        return FALSE;
    // A pixel belongs to the ellipse when its centre lies inside the one
    // inscribed in the box; it is outline unless its centre also lies inside
    // the ellipse shrunk by the pen width. Doubled coordinates keep this exact.
    const long long cx = x1 + x2, cy = y1 + y2; // twice the centre
    const long long rx = x2 - x1, ry = y2 - y1; // twice the radii
    const long long w2 = 2LL * m_pPen->GetWidth();
    const long long irx = std::max(0LL, rx - w2), iry = std::max(0LL, ry - w2);
    auto inside = [](long long dx, long long dy, long long ax, long long ay) {
        return ax > 0 && ay > 0 && dx * dx * ay * ay + dy * dy * ax * ax <= ax * ax * ay * ay;
    };
    const std::uint32_t pen = CBitmap::ToPixel(m_pPen->GetColor());
    const std::uint32_t brush = CBitmap::ToPixel(m_pBrush->GetColor());
    for (int y = std::max(y1, 0); y < std::min(y2, m_pBitmap->GetHeight()); ++y) {
        std::uint32_t* pRow = m_pBitmap->Bits() + std::size_t(y) * std::size_t(m_pBitmap->GetWidth());
        const long long dy = 2LL * y + 1 - cy;
        for (int x = std::max(x1, 0); x < std::min(x2, m_pBitmap->GetWidth()); ++x) {
            const long long dx = 2LL * x + 1 - cx;
            if (inside(dx, dy, rx, ry))
                pRow[x] = inside(dx, dy, irx, iry) ? brush : pen;
        }
    }
    return TRUE;
}

COLORREF CDC::SetPixel(int x, int y, COLORREF crColor)
{
    if (m_pBitmap == nullptr || x < 0 || y < 0 || x >= m_pBitmap->GetWidth() || y >= m_pBitmap->GetHeight())
        return CLR_INVALID;
    const std::uint32_t pixel = CBitmap::ToPixel(crColor);
    m_pBitmap->Bits()[std::size_t(y) * std::size_t(m_pBitmap->GetWidth()) + std::size_t(x)] = pixel;
    return CBitmap::FromPixel(pixel);
}

COLORREF CDC::GetPixel(int x, int y) const
{
    if (m_pBitmap == nullptr || x < 0 || y < 0 || x >= m_pBitmap->GetWidth() || y >= m_pBitmap->GetHeight())
        return CLR_INVALID;
    return CBitmap::FromPixel(m_pBitmap->Bits()[std::size_t(y) * std::size_t(m_pBitmap->GetWidth()) + std::size_t(x)]);
}

BOOL CDC::PatBlt(int x, int y, int nWidth, int nHeight, std::uint32_t dwRop)
{
    if (m_pBitmap == nullptr || dwRop != BLACKNESS)
        return FALSE;
    FillBlock(x, y, x + nWidth, y + nHeight, CBitmap::ToPixel(RGB(0, 0, 0)));
    return TRUE;
}

BOOL CDC::BitBlt(int x, int y, int nWidth, int nHeight, CDC* pSrcDC, int xSrc, int ySrc, std::uint32_t dwRop)
{
    if (m_pBitmap == nullptr || pSrcDC == nullptr || pSrcDC->m_pBitmap == nullptr)
        return FALSE;
    if (dwRop != SRCCOPY && dwRop != SRCAND && dwRop != SRCPAINT)
        return FALSE;
    const CBitmap& src = *pSrcDC->m_pBitmap;
    CBitmap& dst = *m_pBitmap;
    // Clip the block to both surfaces, moving both corners together.
    const int skipX = std::max({0, -x, -xSrc});
    const int skipY = std::max({0, -y, -ySrc});
    x += skipX, xSrc += skipX, y += skipY, ySrc += skipY;
    const int cx = std::min({nWidth - skipX, dst.GetWidth() - x, src.GetWidth() - xSrc});
    const int cy = std::min({nHeight - skipY, dst.GetHeight() - y, src.GetHeight() - ySrc});
    if (cx <= 0 || cy <= 0)
        return TRUE;
    for (int row = 0; row < cy; ++row) {
        std::uint32_t* pDst = dst.Bits() + std::size_t(y + row) * std::size_t(dst.GetWidth()) + std::size_t(x);
        const std::uint32_t* pSrc =
            src.Bits() + std::size_t(ySrc + row) * std::size_t(src.GetWidth()) + std::size_t(xSrc);
        if (dwRop == SRCCOPY)
            std::memmove(pDst, pSrc, std::size_t(cx) * sizeof(std::uint32_t));
        else if (dwRop == SRCAND)
            for (int i = 0; i < cx; ++i)
                pDst[i] &= pSrc[i];
        else
            for (int i = 0; i < cx; ++i)
                pDst[i] |= pSrc[i];
    }
    return TRUE;
}

COLORREF CDC::SetTextColor(COLORREF crColor)
{
    return std::exchange(m_crText, crColor);
}

COLORREF CDC::SetBkColor(COLORREF crColor)
{
    return std::exchange(m_crBk, crColor);
}

BOOL CDC::TextOut(int x, int y, std::string_view text)
{
    if (m_pBitmap == nullptr)
        return FALSE;
    int nWidth = 0;
    for (std::size_t i = 0; i < text.size();)
        nWidth += NextGlyph(text, i).nAdvance;
    FillBlock(x, y, x + nWidth, y + LABEL_LINE_HEIGHT, CBitmap::ToPixel(m_crBk));
    const ClipBox clip{std::max(x, 0), std::max(y, 0), std::min(x + nWidth, m_pBitmap->GetWidth()),
                       std::min(y + LABEL_LINE_HEIGHT, m_pBitmap->GetHeight())};
    const std::uint32_t ink = CBitmap::ToPixel(m_crText);
    int xPen = x;
    for (std::size_t i = 0; i < text.size();) {
        const LabelGlyph& glyph = NextGlyph(text, i);
        DrawGlyphInk(*m_pBitmap, glyph, xPen, y, clip, ink);
        xPen += glyph.nAdvance;
    }
    return TRUE;
}
