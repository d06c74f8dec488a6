// The application object and the program's entry into the window system.
#pragma once

#include "WinTypes.h"

class CWnd;
class IRuntime;
class IWindowSystem;

// An icon handle: the embedded icon's resource id, 0 for none.
using HICON = UINT;

// Exactly one static object of a derived class exists; its constructor makes
// it the application that AfxWinMain starts.
class CWinApp {
public:
    CWinApp();
    CWinApp(const CWinApp&) = delete;
    CWinApp& operator=(const CWinApp&) = delete;
    virtual ~CWinApp();

    // Runs once after start-up; TRUE starts the message loop.
    virtual BOOL InitInstance();
    HICON LoadIcon(UINT nIDResource) const;

    CWnd* m_pMainWnd = nullptr;
    int m_nCmdShow = SW_SHOWNORMAL;
    // The window system AfxWinMain started, for InitInstance to open the
    // windows on; nullptr outside AfxWinMain.
    IWindowSystem* m_pWindowSystem = nullptr;
    // The clock and generator AfxWinMain chose for the game; nullptr leaves
    // the application's own.
    IRuntime* m_pRuntime = nullptr;
};

CWinApp* AfxGetApp();

// Starts the window system, calls InitInstance and runs the message loop
// until the main window is destroyed; the program's exit status.
int AfxWinMain(int argc, char** argv);
