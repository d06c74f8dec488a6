// The program's start on Qt: application, window system, InitInstance, event loop.
#include "QtWindowSystem.h"
#include "WinApp.h"

#include <QApplication>

#include <cstdio>
#include <cstdlib>

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
    int nExitCode = 0;
    if (pApp->InitInstance() && pApp->m_pMainWnd != nullptr)
        nExitCode = windowSystem.Run();
    pApp->m_pWindowSystem = nullptr;
    // The main window is gone and every save was written and its file closed before the loop returned: the process
    // ends here, without the libraries' teardown, which could wait on the sound server or on a thread stuck with it.
    std::fflush(nullptr);
    std::_Exit(nExitCode);
}
