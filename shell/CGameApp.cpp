// Start-up of the game: the main frame with its icon, shown and painted once.
#include "CGameApp.h"

#include "Cp932.h"
#include "FrameConstants.h"
#include "MainFrame.h"
#include "resource.h"

#include <cstdio>

CGameApp theApp;

BOOL CGameApp::InitInstance()
{
    if (m_pWindowSystem == nullptr)
        return FALSE;
    auto* pFrame = new CMainFrame(*m_pWindowSystem, m_pRuntime != nullptr ? *m_pRuntime : m_runtime);
    // Without its window nothing would ever end the message loop.
    if (pFrame->GetHost() == nullptr) {
        std::fputs("vantrel: the game window cannot be opened\n", stderr);
        delete pFrame;
        return FALSE;
    }
    return ShowMainFrame(pFrame);
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
    // The folder's name and the system's wording are UTF-8, the box's texts code page 932.
    if (!m_strFolderProblem.empty())
        pFrame->MessageBox(SystemTextToCp932(m_strFolderProblem).c_str(), FRAME_TITLE, MB_OK | MB_ICONEXCLAMATION);
    pFrame->ReportLoadProblem();
    return TRUE;
}

void CGameApp::OnWindowSystemLost()
{
    if (auto* pFrame = dynamic_cast<CMainFrame*>(m_pMainWnd))
        pFrame->SavePendingRanking();
}
