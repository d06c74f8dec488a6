// The context of one paint: block transfers into it land in the window.
#pragma once

#include "DC.h"

class CWnd;

// Made by the WM_PAINT handler; SRCCOPY from a memory context copies the
// selected bitmap's block to the client area.
class CPaintDC : public CDC {
public:
    explicit CPaintDC(CWnd* pWnd) : m_pWnd(pWnd) {}
    BOOL BitBlt(int x, int y, int nWidth, int nHeight, CDC* pSrcDC, int xSrc, int ySrc, std::uint32_t dwRop) override;

private:
    CWnd* m_pWnd;
};
