// A solid pen: the outline colour and width of rectangles and ellipses.
#pragma once

#include "WinTypes.h"

class CPen {
public:
    CPen() = default;
    // Every pen is solid (PS_SOLID).
    CPen(int nPenStyle, int nWidth, COLORREF crColor) { CreatePen(nPenStyle, nWidth, crColor); }
    CPen(const CPen&) = delete;
    CPen& operator=(const CPen&) = delete;

    BOOL CreatePen(int /*nPenStyle*/, int nWidth, COLORREF crColor)
    {
        m_nWidth = nWidth < 1 ? 1 : nWidth;
        m_crColor = crColor;
        return TRUE;
    }

    int GetWidth() const { return m_nWidth; }
    COLORREF GetColor() const { return m_crColor; }

private:
    int m_nWidth = 1;
    COLORREF m_crColor = RGB(0, 0, 0);
};
