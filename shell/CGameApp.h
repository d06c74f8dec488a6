// The application object: starts the game by opening its one frame window.
#pragma once

#include "Runtime.h"
#include "WinApp.h"

class CMainFrame;

class CGameApp : public CWinApp {
public:
    // Opens the main frame on the window system AfxWinMain started, with the
    // clock and generator it chose, else the real ones.
    BOOL InitInstance() override;
    // Makes pFrame the main window with the application icon, shows it and
    // paints it; tests open a frame made on their own window system here.
    BOOL ShowMainFrame(CMainFrame* pFrame);

private:
    CSystemRuntime m_runtime;
};

// The one application object, made during static initialisation.
extern CGameApp theApp;
