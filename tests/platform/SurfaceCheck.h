// Whole-surface comparison for drawing tests: every pixel against an expectation.
#pragma once

#include "DC.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>

inline std::string Hex(COLORREF c)
{
    char sz[16];
    std::snprintf(sz, sizeof sz, "0x%06X", unsigned(c));
    return sz;
}

// Compares every pixel of the context's surface with expected(x, y) and
// reports how many differ and the first one.
template <typename Expected>
testing::AssertionResult SurfaceIs(const CDC& dc, int nWidth, int nHeight, Expected expected)
{
    int nWrong = 0;
    testing::AssertionResult result = testing::AssertionFailure();
    for (int y = 0; y < nHeight; ++y)
        for (int x = 0; x < nWidth; ++x)
            if (dc.GetPixel(x, y) != COLORREF(expected(x, y)) && nWrong++ == 0)
                result << "first at (" << x << ", " << y << "): got " << Hex(dc.GetPixel(x, y)) << " expected "
                       << Hex(COLORREF(expected(x, y))) << "; ";
    if (nWrong == 0)
        return testing::AssertionSuccess();
    return result << nWrong << " pixels differ";
}
