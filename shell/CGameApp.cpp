// Start-up of the game: the main frame with its icon, shown and painted once.
#include "CGameApp.h"

#include "MainFrame.h"
#include "resource.h"

CGameApp theApp;

BOOL CGameApp::InitInstance()
{
    if (m_pWindowSystem == nullptr)
        return FALSE;
    return ShowMainFrame(new CMainFrame(*m_pWindowSystem, m_pRuntime != nullptr ? *m_pRuntime : m_runtime));
}

BOOL CGameApp::ShowMainFrame(CMainFrame* pFrame)
{
    HICON hIcon = LoadIcon(IDI_APPICON);
    m_pMainWnd = pFrame;
    pFrame->SetIcon(hIcon, TRUE);
    pFrame->ShowWindow(m_nCmdShow);
    // The ready field is on screen before the message loop starts.
    pFrame->UpdateWindow();
    pFrame->PrepareSounds();
    pFrame->ReportLoadProblem();
    return TRUE;
}
