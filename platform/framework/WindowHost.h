// What a window needs from the window system; one host per frame window.
// Every back end keeps the rules in BACKEND.md (modal loops, nested timer and paint, destruction).
#pragma once

#include "WinTypes.h"

#include <memory>
#include <string_view>

class CBitmap;
class IDialogHost;

class IWindowHost {
public:
    virtual ~IWindowHost() = default;

    virtual void ShowWindow(int nCmdShow) = 0;
    // Paints at once when part of the window is invalid.
    virtual void UpdateWindow() = 0;
    // The embedded icon nIconID as the window's icon.
    virtual void SetIcon(UINT nIconID, BOOL bBigIcon) = 0;

    // Starts or restarts timer nIDEvent: a WM_TIMER about every nElapse ms.
    virtual void SetTimer(UINT_PTR nIDEvent, UINT nElapse) = 0;
    // Stops it; harmless when it is not running.
    virtual void KillTimer(UINT_PTR nIDEvent) = 0;

    // The whole client area is repainted later (a WM_PAINT); never erased first.
    virtual void Invalidate(BOOL bErase) = 0;
    // During WM_PAINT only: copies a block of the bitmap to the client area.
    virtual void PaintBitmap(const CBitmap& src, int x, int y, int cx, int cy, int xSrc, int ySrc) = 0;

    // Modal box owned by the window; text and caption are code page 932 bytes.
    // Returns IDOK or IDCANCEL. Its nested loop still delivers WM_PAINT and
    // WM_TIMER to the window. Once the window is destroyed (the game may not
    // be the one that destroyed it) an open box ends and a new one returns
    // IDCANCEL at once; a dialog ends cancelled, a new one returns -1.
    virtual int MessageBox(std::string_view text, std::string_view caption, UINT nType) = 0;
    // A dialog window over this one, built from template nIDTemplate; nullptr
    // when there is no such template or the window is destroyed. Its modal
    // loop follows the same nested-loop rule as MessageBox.
    virtual std::unique_ptr<IDialogHost> CreateDialogHost(UINT nIDTemplate) = 0;

    // Destroys the window. Once the handler that asked returns, the window
    // object is told (CWnd::PostNcDestroy) and, for the main window, the
    // message loop ends.
    virtual void DestroyWindow() = 0;
};
