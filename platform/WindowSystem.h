// The process-wide window system: makes windows, plays sounds, runs the loop.
#pragma once

#include "WinTypes.h"

#include <memory>
#include <string_view>

class CWnd;
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
    // SND_FILENAME | SND_ASYNC: starts the wave file and returns at once; a
    // missing or unplayable file gives the desktop's default alert sound.
    virtual BOOL PlaySound(const char* pszSound, UINT fdwSound) = 0;
    // The message loop; returns when the main window has been destroyed.
    virtual int Run() = 0;
};

// The installed window system (the Qt one in the game, a scripted one in tests).
IWindowSystem& GetWindowSystem();
void SetWindowSystem(IWindowSystem* pSystem);

int GetSystemMetrics(int nIndex);
BOOL PlaySound(const char* pszSound, void* hmod, UINT fdwSound);
