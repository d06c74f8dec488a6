// Surfaces for drawing tests, and the comparison of every pixel against an expectation.
#pragma once

#include "Bitmap.h"
#include "DC.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <sstream>
#include <vector>

// A bitmap selected into its own context, every pixel set to one raw 0xFFRRGGBB word.
struct Surface {
    CBitmap bmp;
    CDC dc;
    explicit Surface(int nWidth = 640, int nHeight = 400, std::uint32_t nFill = 0xFF000000u)
    {
        bmp.CreateBitmap(nWidth, nHeight);
        std::fill(bmp.Bits(), bmp.Bits() + nWidth * nHeight, nFill);
        dc.SelectObject(&bmp);
    }
};

// Compares every pixel of the context's 640 x 400 surface with expected(x, y) and reports how many differ and the first
// one.
template <typename Expected>
testing::AssertionResult SurfaceIs(const CDC& dc, Expected expected)
{
    int nWrong = 0;
    std::ostringstream first;
    for (int y = 0; y < 400; ++y)
        for (int x = 0; x < 640; ++x)
            if (const COLORREF got = dc.GetPixel(x, y), want = expected(x, y); got != want && nWrong++ == 0)
                first << "first at (" << x << ", " << y << "): got " << std::hex << got << " expected " << want << "; ";
    if (nWrong == 0)
        return testing::AssertionSuccess();
    return testing::AssertionFailure() << first.str() << nWrong << " pixels differ";
}

inline testing::AssertionResult SurfaceIs(const CDC& dc, const std::vector<COLORREF>& image)
{
    return SurfaceIs(dc, [&](int x, int y) { return image[y * 640 + x]; });
}
