// The program's start on Qt: application, window system, InitInstance, event loop.
#include "QtSignalPipe.h"
#include "QtWindowSystem.h"
#include "WinApp.h"

#include <QApplication>

#include <cstdlib>

namespace {

bool g_bWindowsOpen = false;

// Qt ends the process with exit() when its display connection breaks.
void OnExit()
{
    if (g_bWindowsOpen && AfxGetApp() != nullptr)
        AfxGetApp()->OnWindowSystemLost();
}

} // namespace

int AfxWinMain(int argc, char** argv)
{
    QApplication app(argc, argv);
    // The loop ends when the main window is destroyed, not when the last
    // visible window closes (a box over a hidden frame would end it).
    QApplication::setQuitOnLastWindowClosed(false);
    CQtWindowSystem windowSystem;
    CWinApp* pApp = AfxGetApp();
    if (pApp == nullptr)
        return 0;
    pApp->m_pWindowSystem = &windowSystem;
    // A session's end (logout, a closed terminal, Ctrl+C) closes the windows as if another program destroyed them.
    CQtSignalPipe signalPipe([&windowSystem] { windowSystem.EndSession(); });
    std::atexit(OnExit);
    g_bWindowsOpen = true;
    int nExitCode = 1; // unless InitInstance starts the loop
    if (pApp->InitInstance() && pApp->m_pMainWnd != nullptr)
        nExitCode = windowSystem.Run();
    g_bWindowsOpen = false;
    pApp->m_pWindowSystem = nullptr;
    return nExitCode;
}
