// Basic types and constants shared by the game and the platform layer.
#pragma once

#include <cstdint>

using BOOL = int;
using BYTE = std::uint8_t;
using UINT = unsigned int;
using UINT_PTR = std::uintptr_t;
using WPARAM = std::uintptr_t;
using LPARAM = std::intptr_t;
using LRESULT = std::intptr_t;

constexpr BOOL TRUE = 1;
constexpr BOOL FALSE = 0;

// Colours pass the interface packed 0x00BBGGRR: pure red is 0x0000ff, pure blue 0xff0000.
using COLORREF = std::uint32_t;
constexpr COLORREF RGB(BYTE r, BYTE g, BYTE b)
{
    return COLORREF(r) | (COLORREF(g) << 8) | (COLORREF(b) << 16);
}
constexpr BYTE GetRValue(COLORREF c) { return BYTE(c & 0xff); }
constexpr BYTE GetGValue(COLORREF c) { return BYTE((c >> 8) & 0xff); }
constexpr BYTE GetBValue(COLORREF c) { return BYTE((c >> 16) & 0xff); }
// What GetPixel returns for a point outside the surface: neither black nor blue.
constexpr COLORREF CLR_INVALID = 0xFFFFFFFF;

// A rectangle as the rectangle operation takes it: right and bottom edges excluded.
struct RECT {
    int left;
    int top;
    int right;
    int bottom;
};

struct POINT {
    int x;
    int y;
};

// Pen styles: only solid pens are drawn.
constexpr int PS_SOLID = 0;

// Raster operations of PatBlt and BitBlt.
constexpr std::uint32_t SRCCOPY = 0x00CC0020;
constexpr std::uint32_t SRCAND = 0x008800C6;
constexpr std::uint32_t SRCPAINT = 0x00EE0086;
constexpr std::uint32_t BLACKNESS = 0x00000042;
