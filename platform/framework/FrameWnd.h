// A top-level frame window with title, menu and icon.
#pragma once

#include "Wnd.h"

class IWindowSystem;

class CFrameWnd : public CWnd {
public:
    // The frame's window is made on windowSystem, which outlives the frame.
    explicit CFrameWnd(IWindowSystem& windowSystem) : m_windowSystem(windowSystem) {}

    // The default frame rectangle: the window system chooses the position,
    // so only right - left and bottom - top of a rectangle derived from it count.
    static const RECT rectDefault;

    // Creates the window hidden. lpszClassName and pParentWnd are accepted for
    // the familiar signature; a frame here always uses the default class and
    // has no parent.
    BOOL Create(const char* lpszClassName, const char* lpszWindowName, std::uint32_t dwStyle, const RECT& rect,
                CWnd* pParentWnd, UINT nMenuID);

    // A frame object lives on the heap and is deleted once its window is gone.
    void PostNcDestroy() override;

protected:
    IWindowSystem& m_windowSystem;
};
