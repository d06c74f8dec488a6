// Block transfers into a window during its paint.
#include "PaintDC.h"

#include "Bitmap.h"
#include "WindowHost.h"
#include "Wnd.h"

// Only a plain copy from a memory context reaches the window; nothing else
// is drawn on a window directly.
BOOL CPaintDC::BitBlt(int x, int y, int nWidth, int nHeight, CDC* pSrcDC, int xSrc, int ySrc, std::uint32_t dwRop)
{
    IWindowHost* pHost = m_pWnd != nullptr ? m_pWnd->GetHost() : nullptr;
    if (dwRop != SRCCOPY || pHost == nullptr || pSrcDC == nullptr || pSrcDC->GetSelectedBitmap() == nullptr)
        return FALSE;
    pHost->PaintBitmap(*pSrcDC->GetSelectedBitmap(), x, y, nWidth, nHeight, xSrc, ySrc);
    return TRUE;
}
