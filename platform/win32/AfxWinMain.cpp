// The program's start on Win32: window system, InitInstance, message loop.
#include "Win32Console.h"
#include "Win32WindowSystem.h"
#include "WinApp.h"

namespace {

// Made before main runs, so that --help and --version reach the console the program was started from.
const bool g_bConsole = AttachParentConsole();

} // namespace

int AfxWinMain(int, char**)
{
    CWin32WindowSystem windowSystem;
    CWinApp* pApp = AfxGetApp();
    if (pApp == nullptr)
        return 0;
    pApp->m_pWindowSystem = &windowSystem;
    int nExitCode = 1; // unless InitInstance starts the loop
    if (pApp->InitInstance() && pApp->m_pMainWnd != nullptr)
        nExitCode = windowSystem.Run();
    pApp->m_pWindowSystem = nullptr;
    return nExitCode;
}
