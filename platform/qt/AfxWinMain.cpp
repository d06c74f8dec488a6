// The program's start on Qt: application, window system, InitInstance, event loop.
#include "QtSignalPipe.h"
#include "QtSound.h"
#include "QtWindowSystem.h"
#include "WinApp.h"

#include <QApplication>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <unistd.h>

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

// Standard input, output or error closed by whoever started the game are opened on /dev/null, before any library
// opens a connection (to the X server, to the sound server) that would otherwise get their number and receive the
// messages written to them. Each open takes the lowest free number, the stream's own.
void OpenClosedStandardStreams()
{
    for (int nFd = STDIN_FILENO; nFd <= STDERR_FILENO; ++nFd) {
        if (fcntl(nFd, F_GETFD) == -1 && errno == EBADF)
            open("/dev/null", nFd == STDIN_FILENO ? O_RDONLY : O_WRONLY);
    }
}

} // namespace

int AfxWinMain(int argc, char** argv)
{
    OpenClosedStandardStreams();
    CQtSound::SetAsideIrregularClientConfig();
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
