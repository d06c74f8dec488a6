// The window system a program runs on: makes frame windows, gives their sizes and the sound, runs the loop.
// Every back end keeps the rules in BACKEND.md (modal loops, nested timer and paint, destruction).
#pragma once

#include "WinTypes.h"

#include <memory>
#include <string_view>

class CWnd;
class ISound;
class IWindowHost;

class IWindowSystem {
public:
    virtual ~IWindowSystem() = default;

    // A hidden frame window for wnd: the outer rectangle's size less the
    // system metrics below gives the client size; nMenuID names the menu.
    // Messages for the window go to wnd.WindowProc.
    virtual std::unique_ptr<IWindowHost> CreateFrameHost(CWnd& wnd, std::string_view title, std::uint32_t dwStyle,
                                                         const RECT& rect, UINT nMenuID) = 0;
    virtual int GetSystemMetrics(int nIndex) = 0;
    virtual ISound& GetSound() = 0;
    // The message loop; returns when the main window has been destroyed.
    virtual int Run() = 0;
};
