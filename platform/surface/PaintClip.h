// The clipping of a block painted from a bitmap into a window, for the back ends that copy pixels themselves.
#pragma once

#include <algorithm>

// A block copy: its place in the client area, its size, and its corner in the source bitmap.
struct SPaintBlock {
    int x, y, cx, cy, xSrc, ySrc;
};

// Narrows the block to the client area (cxClient × cyClient) and to the bitmap (cxBitmap × cyBitmap), moving its
// source corner with a clipped left or top edge. False when nothing of it is left to paint.
inline bool ClipPaintBlock(SPaintBlock& block, int cxClient, int cyClient, int cxBitmap, int cyBitmap)
{
    if (block.x < 0) {
        block.xSrc -= block.x;
        block.cx += block.x;
        block.x = 0;
    }
    if (block.y < 0) {
        block.ySrc -= block.y;
        block.cy += block.y;
        block.y = 0;
    }
    if (block.xSrc < 0 || block.ySrc < 0)
        return false;
    block.cx = std::min({block.cx, cxClient - block.x, cxBitmap - block.xSrc});
    block.cy = std::min({block.cy, cyClient - block.y, cyBitmap - block.ySrc});
    return block.cx > 0 && block.cy > 0;
}
