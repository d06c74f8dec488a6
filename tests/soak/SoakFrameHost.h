// A Qt frame host whose window timers run on the soak clock.
#pragma once

#include "WindowHost.h"

#include <QTimer>

#include <map>
#include <memory>

class CSoakWindowSystem;
class CWnd;

class CSoakFrameHost : public IWindowHost {
public:
    CSoakFrameHost(CSoakWindowSystem& system, CWnd& wnd, std::unique_ptr<IWindowHost> pQtHost);
    ~CSoakFrameHost() override;

    // The Qt host underneath, for reaching the window's widgets.
    IWindowHost& GetQtHost() const { return *m_pQtHost; }
    bool IsTimerRunning(UINT_PTR nIDEvent) const;

    void ShowWindow(int nCmdShow) override;
    void UpdateWindow() override;
    void SetIcon(UINT nIconID, BOOL bBigIcon) override;
    // Starts a zero-interval timer whatever nElapse says.
    void SetTimer(UINT_PTR nIDEvent, UINT nElapse) override;
    void KillTimer(UINT_PTR nIDEvent) override;
    void Invalidate(BOOL bErase) override;
    void PaintBitmap(const CBitmap& src, int x, int y, int cx, int cy, int xSrc, int ySrc) override;
    int MessageBox(std::string_view text, std::string_view caption, UINT nType) override;
    INT_PTR RunModalDialog(CDialog& dlg) override;
    void DestroyWindow() override;

private:
    CSoakWindowSystem& m_system;
    CWnd& m_wnd;
    std::unique_ptr<IWindowHost> m_pQtHost;
    std::map<UINT_PTR, std::unique_ptr<QTimer>> m_timers;
    bool m_bDestroyed = false;
};
