// The window system of the game on Win32: frame windows, metrics, sound and the thread's message loop.
#pragma once

#include "Win32Sound.h"
#include "WindowSystem.h"

#include <vector>

class CWin32FrameHost;

class CWin32WindowSystem : public IWindowSystem {
public:
    std::unique_ptr<IWindowHost> CreateFrameHost(CWnd& wnd, std::string_view title, std::uint32_t dwStyle,
                                                 const RECT& rect, UINT nMenuID) override;
    // The classic desktop's sizes: the frame itself asks Windows for the outer size that its client area needs.
    int GetSystemMetrics(int nIndex) override;
    CWin32Sound& GetSound() override { return m_sound; }
    // Dispatches messages until the main window has been destroyed and told so.
    int Run() override;

    void OnFrameGone(const CWin32FrameHost* pFrame);
    void OnMainWindowGone() { m_bMainWindowGone = true; }

private:
    // Frames destroyed with none of their handlers running any more are told so.
    void FinishDestroyedFrames();

    CWin32Sound m_sound;
    std::vector<CWin32FrameHost*> m_frames;
    bool m_bMainWindowGone = false;
};
