// The frame window in the page: its canvas, menu bar, timers and paints.
#pragma once

#include "WebBridge.h"
#include "WindowHost.h"

#include <set>
#include <string>
#include <vector>

class CWebWindowSystem;
class CWnd;

class CWebFrameHost : public IWindowHost {
public:
    CWebFrameHost(CWebWindowSystem& system, CWnd& wnd, std::string_view title, int cx, int cy, UINT nMenuID);
    ~CWebFrameHost() override;

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

    bool IsDestroyed() const { return m_bDestroyed; }
    // Destroyed and no handler of the window running: time to tell the window.
    bool IsReadyToFinish() const { return m_bDestroyed && m_nDispatchDepth == 0; }
    // Tells the window object it is gone (which deletes this host).
    void FinishDestroy();
    // A timer, paint, key, click or menu command from the page.
    void OnEvent(const WebEvent& event);

private:
    void BuildMenu(UINT nMenuID);
    void Paint();
    // Hands one message to the window; none after DestroyWindow.
    void Dispatch(UINT message, WPARAM wParam = 0, LPARAM lParam = 0);

    CWebWindowSystem& m_system;
    CWnd& m_wnd;
    int m_cx;
    int m_cy;
    std::set<UINT_PTR> m_timers;
    std::vector<std::uint32_t> m_rgba; // one block's pixels on their way to the canvas
    bool m_bShown = false;
    bool m_bInvalid = true;
    bool m_bPainting = false;
    bool m_bDestroyed = false;
    int m_nDispatchDepth = 0;
};
