// The fixed rectangles of the playfield, as (left, top, right, bottom) with the right and bottom edges excluded.
#pragma once

#include "WinTypes.h"

extern const RECT rcScreen;    // cleared black with the context's own pen
extern const RECT rcFrame;     // green frame around the playing area
extern const RECT rcSafeLeft;  // black block clearing stars in front of the left gate
extern const RECT rcSafeRight; // black block clearing stars in front of the right gate
extern const RECT rcGateLeft;  // blue entry gate, never reached: the head only moves right
extern const RECT rcGateRight; // blue goal gate on the right frame edge
