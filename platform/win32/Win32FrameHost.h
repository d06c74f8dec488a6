// A frame window on Win32: the game's messages, paints, timers, boxes and dialogs.
#pragma once

#include "Win32Window.h"
#include "WindowHost.h"

class CWin32WindowSystem;
class CWnd;

class CWin32FrameHost : public IWindowHost, private IWin32WindowEvents {
public:
    // Hidden, fixed size, the client area exactly cx x cy under the menu nMenuID. A window destroyed by anything
    // but the game counts as destroyed by it: its open boxes and dialogs end as cancelled, later ones return at once.
    CWin32FrameHost(CWin32WindowSystem& system, CWnd& wnd, std::string_view title, std::uint32_t dwStyle, int cx,
                    int cy, UINT nMenuID);
    ~CWin32FrameHost() override;

    bool IsValid() const { return m_window.IsValid(); }
    bool IsDestroyed() const { return m_bDestroyed; }
    // Destroyed and no handler of the window running: time to tell the window.
    bool IsReadyToFinish() const { return m_bDestroyed && m_nDispatchDepth == 0; }
    // Tells the window object it is gone (which deletes this host).
    void FinishDestroy();

    void ShowWindow(int nCmdShow) override;
    void UpdateWindow() override;
    void SetIcon(UINT nIconID, BOOL bBigIcon) override;
    void SetTimer(UINT_PTR nIDEvent, UINT nElapse) override;
    void KillTimer(UINT_PTR nIDEvent) override;
    void Invalidate(BOOL bErase) override;
    void PaintBitmap(const CBitmap& src, int x, int y, int cx, int cy, int xSrc, int ySrc) override;
    int MessageBox(std::string_view text, std::string_view caption, UINT nType) override;
    std::unique_ptr<IDialogHost> CreateDialogHost(UINT nIDTemplate) override;
    void DestroyWindow() override;

private:
    void OnWindowMessage(std::uint32_t message, std::uintptr_t wParam, std::intptr_t lParam) override;
    void OnWindowDestroyed() override;
    void OnSessionEnd() override;
    // Hands one message to the window; none after DestroyWindow.
    void Dispatch(UINT message, WPARAM wParam = 0, LPARAM lParam = 0);

    CWin32WindowSystem& m_system;
    CWnd& m_wnd;
    CWin32Window m_window;
    int m_nDispatchDepth = 0;
    bool m_bPainting = false;
    bool m_bDestroyed = false;
};
