// The application object: starts the game by opening its one frame window.
#pragma once

#include "Runtime.h"
#include "WinApp.h"

#include <string>

class CMainFrame;

class CGameApp : public CWinApp {
public:
    // Opens the main frame on the window system AfxWinMain started, with the
    // clock and generator it chose, else the real ones.
    BOOL InitInstance() override;
    // Makes pFrame the main window with the application icon, shows it and
    // paints it; tests open a frame made on their own window system here.
    BOOL ShowMainFrame(CMainFrame* pFrame);
    // The main frame's pending ranking is saved.
    void OnWindowSystemLost() override;

    // Shown in a warning box once the main frame is on screen, when the
    // ranking's folder could not be used (set before AfxWinMain runs).
    std::string m_strFolderProblem;

private:
    CSystemRuntime m_runtime;
};

// The one application object, made during static initialisation.
extern CGameApp theApp;
