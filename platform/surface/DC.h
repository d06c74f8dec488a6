// A drawing context: the handle through which every drawing operation is made.
#pragma once

#include "WinTypes.h"

#include <cstdint>
#include <string_view>

class CBitmap;
class CBrush;
class CPen;

// A memory context draws into the bitmap selected into it. A new context holds
// a black 1-pixel pen, a white brush, white text on an opaque black background
// and no bitmap; drawing without a bitmap does nothing and reads CLR_INVALID.
// Selected objects are not owned: the caller keeps them alive while selected
// and selects the previous object back before releasing its own.
class CDC {
public:
    CDC();
    CDC(const CDC&) = delete;
    CDC& operator=(const CDC&) = delete;
    virtual ~CDC();

    // Makes this a memory context; the reference context only names the
    // colour format, which is the same for every surface here.
    BOOL CreateCompatibleDC(CDC* pDC);
    // Lets go of the selected objects; the context can be made again.
    BOOL DeleteDC();

    // Each returns the object held before (a stock object on a new context).
    CBitmap* SelectObject(CBitmap* pBitmap);
    CPen* SelectObject(CPen* pPen);
    CBrush* SelectObject(CBrush* pBrush);

    // Outline in the pen's colour along columns left and right - 1 and rows
    // top and bottom - 1; a 2-pixel pen also covers the column or row to the
    // left of or above each outline. The interior is filled with the brush.
    BOOL Rectangle(int x1, int y1, int x2, int y2);
    BOOL Rectangle(const RECT* lpRect) { return Rectangle(lpRect->left, lpRect->top, lpRect->right, lpRect->bottom); }
    // The ellipse inscribed in the box, outline in the pen, inside in the brush;
    // a 2 x 2 box gives a 2 x 2 dot in the pen's colour.
    BOOL Ellipse(int x1, int y1, int x2, int y2);

    COLORREF SetPixel(int x, int y, COLORREF crColor);
    // Exactly the value last written, or CLR_INVALID outside the surface.
    COLORREF GetPixel(int x, int y) const;

    // BLACKNESS fills the block black; other operations do nothing.
    BOOL PatBlt(int x, int y, int nWidth, int nHeight, std::uint32_t dwRop);
    // SRCCOPY, SRCAND, SRCPAINT of packed colour values, clipped to both surfaces.
    virtual BOOL BitBlt(int x, int y, int nWidth, int nHeight, CDC* pSrcDC, int xSrc, int ySrc, std::uint32_t dwRop);

    COLORREF SetTextColor(COLORREF crColor);
    COLORREF SetBkColor(COLORREF crColor);
    // Code page 932 bytes, top-left at (x, y), in the text colour on an opaque
    // box of the background colour one text line high, in the compiled-in
    // label font; a character other than printable ASCII draws as '?'.
    BOOL TextOut(int x, int y, std::string_view text);

    CBitmap* GetSelectedBitmap() const { return m_pBitmap; }

private:
    void FillBlock(int x1, int y1, int x2, int y2, std::uint32_t pixel);

    CBitmap* m_pBitmap = nullptr;
    CPen* m_pPen;
    CBrush* m_pBrush;
    COLORREF m_crText = RGB(255, 255, 255);
    COLORREF m_crBk = RGB(0, 0, 0);
};
