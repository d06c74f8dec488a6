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
constexpr BYTE GetRValue(COLORREF c)
{
    return BYTE(c & 0xff);
}
constexpr BYTE GetGValue(COLORREF c)
{
    return BYTE((c >> 8) & 0xff);
}
constexpr BYTE GetBValue(COLORREF c)
{
    return BYTE((c >> 16) & 0xff);
}
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

using INT_PTR = std::intptr_t;

// Window messages the game's frame handles or the host sends.
constexpr UINT WM_CLOSE = 0x0010;
constexpr UINT WM_PAINT = 0x000F;
constexpr UINT WM_KEYDOWN = 0x0100;
constexpr UINT WM_COMMAND = 0x0111;
constexpr UINT WM_TIMER = 0x0113;
constexpr UINT WM_LBUTTONDOWN = 0x0201;
constexpr UINT WM_LBUTTONDBLCLK = 0x0203;
constexpr UINT EM_LIMITTEXT = 0x00C5;

// Virtual-key codes.
constexpr UINT VK_RETURN = 0x0D;
constexpr UINT VK_ESCAPE = 0x1B;
constexpr UINT VK_SPACE = 0x20;

// Message box types and results.
constexpr UINT MB_OK = 0x00;
constexpr UINT MB_OKCANCEL = 0x01;
constexpr UINT MB_ICONERROR = 0x10;
constexpr UINT MB_ICONQUESTION = 0x20;
constexpr UINT MB_ICONEXCLAMATION = 0x30;
constexpr int IDOK = 1;
constexpr int IDCANCEL = 2;

// Show states.
constexpr int SW_HIDE = 0;
constexpr int SW_SHOWNORMAL = 1;

// System metrics a frame's outer size is computed from.
constexpr int SM_CXDLGFRAME = 7;
constexpr int SM_CYDLGFRAME = 8;
constexpr int SM_CYCAPTION = 4;
constexpr int SM_CYMENU = 15;
constexpr int SM_CXEDGE = 45;
constexpr int SM_CYEDGE = 46;

// Frame window styles.
constexpr std::uint32_t WS_CAPTION = 0x00C00000;
constexpr std::uint32_t WS_SYSMENU = 0x00080000;
constexpr std::uint32_t WS_MINIMIZEBOX = 0x00020000;

// PlaySound flags.
constexpr UINT SND_ASYNC = 0x0001;
constexpr UINT SND_FILENAME = 0x00020000;
