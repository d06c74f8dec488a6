// The classic desktop's frame sizes, which every back end reports, and the client area they leave in a frame.
#pragma once

#include "WinTypes.h"

// The value of SM_CXEDGE, SM_CYEDGE, SM_CXDLGFRAME, SM_CYDLGFRAME, SM_CYCAPTION or SM_CYMENU in pixels; 0 for others.
int ClassicSystemMetric(int nIndex);

struct CClientSize {
    int cx;
    int cy;
};
// The client area of a frame whose outer rectangle is rect: less a dialog frame, a client edge, the caption and one
// menu line. Not positive when nothing is left.
CClientSize FrameClientSize(const RECT& rect);
