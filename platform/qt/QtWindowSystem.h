// The window system of the game on Qt Widgets: frame windows, metrics, sound, the event loop.
#pragma once

#include "QtSound.h"
#include "WindowSystem.h"

#include <QPointer>

#include <vector>

class CQtFrameHost;
class QEventLoop;

// Needs a QApplication for its whole life.
class CQtWindowSystem : public IWindowSystem {
public:
    std::unique_ptr<IWindowHost> CreateFrameHost(CWnd& wnd, std::string_view title, std::uint32_t dwStyle,
                                                 const RECT& rect, UINT nMenuID) override;
    // Fixed border, edge, caption and menu sizes. Qt fits the real frame
    // around the client area itself; these only let a caller compute an
    // outer size from which CreateFrameHost recovers the client size.
    int GetSystemMetrics(int nIndex) override;
    CQtSound& GetSound() override { return m_sound; }
    // Processes events until the main window has been destroyed.
    int Run() override;
    // The main window is gone: Run returns.
    void EndRun();
    // The session ends (a signal): every frame window ends as if another program had destroyed it, so that its
    // boxes close and the save that follows them is made before Run returns.
    void EndSession();

private:
    CQtSound m_sound;
    std::vector<QPointer<CQtFrameHost>> m_frameHosts;
    QEventLoop* m_pLoop = nullptr; // while Run runs
};
