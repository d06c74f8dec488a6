// Off-screen surfaces: blank ones and the program's embedded images.
#include "Bitmap.h"

#include "Resources.h"

#include <cstring>

BOOL CBitmap::CreateBitmap(int nWidth, int nHeight)
{
    DeleteObject();
    if (nWidth <= 0 || nHeight <= 0)
        return FALSE;
    m_nWidth = nWidth;
    m_nHeight = nHeight;
    m_pixels.assign(std::size_t(nWidth) * std::size_t(nHeight), ToPixel(RGB(0, 0, 0)));
    return TRUE;
}

BOOL CBitmap::LoadBitmap(UINT nIDResource)
{
    DeleteObject();
    const ResImage* pImage = FindImageResource(nIDResource);
    if (pImage == nullptr || !CreateBitmap(pImage->nWidth, pImage->nHeight))
        return FALSE;
    // Characters missing from the palette, and rows shorter than the width, stay black.
    for (int y = 0; y < m_nHeight && std::size_t(y) < pImage->rows.size(); ++y) {
        const char* pszRow = pImage->rows[std::size_t(y)];
        const std::size_t nLength = std::strlen(pszRow);
        for (int x = 0; x < m_nWidth && std::size_t(x) < nLength; ++x) {
            for (const ResPaletteEntry& entry : pImage->palette) {
                if (entry.chKey == pszRow[x]) {
                    m_pixels[std::size_t(y) * std::size_t(m_nWidth) + std::size_t(x)] = ToPixel(entry.crColor);
                    break;
                }
            }
        }
    }
    return TRUE;
}

BOOL CBitmap::DeleteObject()
{
    m_nWidth = 0;
    m_nHeight = 0;
    m_pixels.clear();
    m_pixels.shrink_to_fit();
    return TRUE;
}
