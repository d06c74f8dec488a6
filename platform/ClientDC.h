// The drawing context of a window's client area, used as the reference for
// compatible memory contexts and bitmaps.
#pragma once

#include "DC.h"

class CWnd;

class CClientDC : public CDC {
public:
    explicit CClientDC(CWnd* pWnd) : m_pWnd(pWnd) {}

private:
    CWnd* m_pWnd;
};
