// The main frame's construction, message map, back buffer, painting and About box.
#include "MainFrame.h"

#include "AboutDlg.h"
#include "ClientDC.h"
#include "FrameConstants.h"
#include "GameConstants.h"
#include "PaintDC.h"
#include "WindowSystem.h"
#include "resource.h"

BEGIN_MESSAGE_MAP(CMainFrame, CFrameWnd)
ON_WM_PAINT()
ON_WM_TIMER()
ON_WM_KEYDOWN()
ON_WM_LBUTTONDOWN()
ON_WM_LBUTTONDBLCLK()
ON_COMMAND(ID_GAME_START, OnGameStart)
ON_COMMAND(ID_GAME_EXIT, OnGameExit)
ON_COMMAND(ID_APP_ABOUT, OnAbout)
ON_COMMAND(ID_RANKING, OnRanking)
END_MESSAGE_MAP()

CMainFrame::CMainFrame(IWindowSystem& windowSystem, IRuntime& runtime) : CFrameWnd(windowSystem), m_game(runtime)
{
    // The client area is exactly the playfield; the outer size adds a dialog-style border, a sunken
    // client edge, one caption and one menu line.
    RECT rect = CFrameWnd::rectDefault;
    rect.right = rect.left + nFieldWidth + 2 * m_windowSystem.GetSystemMetrics(SM_CXEDGE) +
                 2 * m_windowSystem.GetSystemMetrics(SM_CXDLGFRAME);
    rect.bottom = rect.top + nFieldHeight + 2 * m_windowSystem.GetSystemMetrics(SM_CYEDGE) +
                  2 * m_windowSystem.GetSystemMetrics(SM_CYDLGFRAME) + m_windowSystem.GetSystemMetrics(SM_CYCAPTION) +
                  m_windowSystem.GetSystemMetrics(SM_CYMENU);
    m_bPlaying = 0;
    // Without a window nothing is loaded: the application finds no host and ends.
    if (!Create(nullptr, FRAME_TITLE, FRAME_STYLE, rect, nullptr, IDR_MAINMENU))
        return;
    CreateBackBuffer();
    m_game.LoadBitmaps();
    m_ranking.Load();
}

CMainFrame::~CMainFrame()
{
    // The crash images go first, then (as members) the game and the back buffer.
    m_game.FreeBitmaps();
}

void CMainFrame::CreateBackBuffer()
{
    m_bmpBack.DeleteObject();
    CClientDC dcWindow(this);
    CDC dcMem;
    dcMem.CreateCompatibleDC(&dcWindow);
    // Compatible with the window, not the memory context, for the window's colour format.
    m_bmpBack.CreateCompatibleBitmap(&dcWindow, nFieldWidth, nFieldHeight);
    dcMem.SelectObject(&m_bmpBack);
    dcMem.PatBlt(0, 0, nFieldWidth, nFieldHeight, BLACKNESS);
    m_game.DrawField(dcMem);
    // Leaving the scope releases the memory context, then the window's.
}

void CMainFrame::OnPaint()
{
    CPaintDC dc(this);
    CDC dcMem;
    dcMem.CreateCompatibleDC(&dc);
    dcMem.SelectObject(&m_bmpBack);
    // The whole buffer; the window system clips it to what needs repainting.
    dc.BitBlt(0, 0, nFieldWidth, nFieldHeight, &dcMem, 0, 0, SRCCOPY);
}

void CMainFrame::DrawInBackBuffer(const std::function<void(CDC&)>& work)
{
    CClientDC dcWindow(this);
    CDC dcMem;
    dcMem.CreateCompatibleDC(&dcWindow);
    CBitmap* pOldBitmap = dcMem.SelectObject(&m_bmpBack);
    work(dcMem);
    dcMem.SelectObject(pOldBitmap);
}

void CMainFrame::OnAbout()
{
    CAboutDlg dlg(this);
    dlg.DoModal();
}
