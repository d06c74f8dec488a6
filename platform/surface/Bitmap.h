// An off-screen surface that stores every colour exactly.
#pragma once

#include "WinTypes.h"

#include <cstdint>
#include <vector>

class CDC;

// Pixels are kept as 0xFFRRGGBB words, row by row with no padding, so a window
// can show them as they are; colours are converted only at the pixel calls.
class CBitmap {
public:
    CBitmap() = default;
    CBitmap(const CBitmap&) = delete;
    CBitmap& operator=(const CBitmap&) = delete;
    ~CBitmap() = default;

    // A width x height surface, all black. Replaces what the object held.
    BOOL CreateBitmap(int nWidth, int nHeight);
    // Every surface here has the window's colour format, so the reference
    // context only documents where the bitmap is meant to go.
    BOOL CreateCompatibleBitmap(CDC* /*pDC*/, int nWidth, int nHeight) { return CreateBitmap(nWidth, nHeight); }
    // Loads one of the program's embedded images (crash image, mask); FALSE
    // and an empty object when the id is unknown.
    BOOL LoadBitmap(UINT nIDResource);
    // Releases the pixels; harmless on an empty object.
    BOOL DeleteObject();

    bool IsEmpty() const { return m_pixels.empty(); }
    int GetWidth() const { return m_nWidth; }
    int GetHeight() const { return m_nHeight; }

    // Raw 0xFFRRGGBB words, GetWidth() per row; for blitting and painting.
    std::uint32_t* Bits() { return m_pixels.data(); }
    const std::uint32_t* Bits() const { return m_pixels.data(); }

    static std::uint32_t ToPixel(COLORREF c)
    {
        return 0xFF000000u | (std::uint32_t(GetRValue(c)) << 16) | (std::uint32_t(GetGValue(c)) << 8) | GetBValue(c);
    }
    static COLORREF FromPixel(std::uint32_t p)
    {
        return RGB(BYTE((p >> 16) & 0xff), BYTE((p >> 8) & 0xff), BYTE(p & 0xff));
    }

private:
    int m_nWidth = 0;
    int m_nHeight = 0;
    std::vector<std::uint32_t> m_pixels;
};
