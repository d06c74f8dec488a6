// A solid brush: the fill colour of rectangles and ellipses.
#pragma once

#include "WinTypes.h"

class CBrush {
public:
    CBrush() = default;
    explicit CBrush(COLORREF crColor) { CreateSolidBrush(crColor); }
    CBrush(const CBrush&) = delete;
    CBrush& operator=(const CBrush&) = delete;

    BOOL CreateSolidBrush(COLORREF crColor)
    {
        m_crColor = crColor;
        return TRUE;
    }

    COLORREF GetColor() const { return m_crColor; }

private:
    COLORREF m_crColor = RGB(255, 255, 255);
};
