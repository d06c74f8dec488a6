// The program's start in the page: window system, clock, InitInstance, message loop.
#include "WebBridge.h"
#include "WebRuntime.h"
#include "WebWindowSystem.h"
#include "WinApp.h"

int AfxWinMain(int, char**)
{
    // The page has mounted the ranking's storage as the working directory before this runs.
    std::uint32_t seed = 0;
    CWebRuntime runtime(vt_query_seed(&seed) != 0 ? std::optional<std::uint32_t>(seed) : std::nullopt);
    CWebWindowSystem windowSystem;
    CWinApp* pApp = AfxGetApp();
    if (pApp == nullptr)
        return 0;
    pApp->m_pWindowSystem = &windowSystem;
    pApp->m_pRuntime = &runtime;
    int nExitCode = 0;
    if (pApp->InitInstance() && pApp->m_pMainWnd != nullptr)
        nExitCode = windowSystem.Run();
    pApp->m_pWindowSystem = nullptr;
    pApp->m_pRuntime = nullptr;
    return nExitCode;
}
