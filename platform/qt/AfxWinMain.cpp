// The program's start on Qt: application, window system, InitInstance, event loop.
#include "QtSignalPipe.h"
#include "QtWindowSystem.h"
#include "WinApp.h"

#include <QApplication>

#include <cstdio>
#include <cstdlib>

namespace {

bool g_bWindowsOpen = false;

// Qt ends the process with exit() when its display connection breaks: what is pending is saved, then the process
// ends without the libraries' teardown, as after the loop.
void OnExit()
{
    if (!g_bWindowsOpen || AfxGetApp() == nullptr)
        return;
    AfxGetApp()->OnWindowSystemLost();
    std::fflush(nullptr);
    std::_Exit(EXIT_FAILURE);
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
    // The main window is gone and every save was written and its file closed before the loop returned: the process
    // ends here, without the libraries' teardown, which could wait on the sound server or on a thread stuck with it.
    std::fflush(nullptr);
    std::_Exit(nExitCode);
}
