// The drawing context of a window's client area, used as the reference for
// compatible memory contexts and bitmaps.
#pragma once

#include "DC.h"

class CWnd;

// Every surface here has the window's colour format, so the window only
// documents which client area the context stands for.
class CClientDC : public CDC {
public:
    explicit CClientDC(CWnd* /*pWnd*/) {}
};
