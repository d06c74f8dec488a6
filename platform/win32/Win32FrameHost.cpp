// Frame windows on Win32: Windows' messages for the window become the game's, after it is destroyed none do.
#include "Win32FrameHost.h"

#include "Bitmap.h"
#include "Resources.h"
#include "Win32DialogHost.h"
#include "Win32MessageBox.h"
#include "Win32WindowSystem.h"
#include "WinApp.h"
#include "Wnd.h"

CWin32FrameHost::CWin32FrameHost(CWin32WindowSystem& system, CWnd& wnd, std::string_view title, std::uint32_t dwStyle,
                                 int cx, int cy, UINT nMenuID)
    : m_system(system), m_wnd(wnd), m_window(*this, title, dwStyle, cx, cy, nMenuID)
{
}

CWin32FrameHost::~CWin32FrameHost()
{
    m_bDestroyed = true;
    m_system.OnFrameGone(this);
}

void CWin32FrameHost::ShowWindow(int nCmdShow)
{
    if (!m_bDestroyed)
        m_window.Show(nCmdShow != SW_HIDE);
}

void CWin32FrameHost::UpdateWindow()
{
    if (!m_bDestroyed)
        m_window.Update();
}

void CWin32FrameHost::SetIcon(UINT nIconID, BOOL)
{
    if (!m_bDestroyed)
        m_window.SetIcon(nIconID);
}

void CWin32FrameHost::SetTimer(UINT_PTR nIDEvent, UINT nElapse)
{
    if (!m_bDestroyed)
        m_window.SetTimer(nIDEvent, nElapse);
}

void CWin32FrameHost::KillTimer(UINT_PTR nIDEvent)
{
    m_window.KillTimer(nIDEvent);
}

void CWin32FrameHost::Invalidate(BOOL)
{
    if (!m_bDestroyed)
        m_window.Invalidate();
}

void CWin32FrameHost::PaintBitmap(const CBitmap& src, int x, int y, int cx, int cy, int xSrc, int ySrc)
{
    if (m_bPainting && !src.IsEmpty())
        m_window.PaintPixels(src.Bits(), src.GetWidth(), src.GetHeight(), x, y, cx, cy, xSrc, ySrc);
}

// Windows' box returns 0 once its owner is destroyed under it: a cancel, as the game counts it.
int CWin32FrameHost::MessageBox(std::string_view text, std::string_view caption, UINT nType)
{
    if (m_bDestroyed)
        return IDCANCEL;
    const int nResult = RunMessageBox(m_window.GetHandle(), text, caption, nType);
    return nResult == IDOK && !m_bDestroyed ? IDOK : IDCANCEL;
}

std::unique_ptr<IDialogHost> CWin32FrameHost::CreateDialogHost(UINT nIDTemplate)
{
    const ResDialog* pRes = FindDialogResource(nIDTemplate);
    if (pRes == nullptr || m_bDestroyed)
        return nullptr;
    auto pHost = std::make_unique<CWin32DialogHost>(*pRes, m_window.GetHandle(), [this] { return m_bDestroyed; });
    return pHost->IsValid() ? std::move(pHost) : nullptr;
}

void CWin32FrameHost::DestroyWindow()
{
    if (m_bDestroyed)
        return;
    m_bDestroyed = true;
    // Windows hides the window, stops its timers and destroys the boxes it owns.
    m_window.Destroy();
}

void CWin32FrameHost::FinishDestroy()
{
    CWnd& wnd = m_wnd;
    CWinApp* pApp = AfxGetApp();
    const bool bMainWindow = pApp != nullptr && pApp->m_pMainWnd == &wnd;
    if (bMainWindow)
        pApp->m_pMainWnd = nullptr;
    CWin32WindowSystem& system = m_system;
    // A frame deletes itself here, and this host with it.
    wnd.PostNcDestroy();
    if (bMainWindow)
        system.OnMainWindowGone();
}

void CWin32FrameHost::OnWindowMessage(std::uint32_t message, std::uintptr_t wParam, std::intptr_t lParam)
{
    if (message != WM_PAINT) {
        Dispatch(message, wParam, lParam);
        return;
    }
    m_bPainting = true;
    Dispatch(WM_PAINT);
    m_bPainting = false;
}

void CWin32FrameHost::OnWindowDestroyed()
{
    m_bDestroyed = true;
}

// Windows ends the process once this returns, while a box may still be open: what the boxes would save is
// saved now.
void CWin32FrameHost::OnSessionEnd()
{
    if (CWinApp* pApp = AfxGetApp())
        pApp->OnWindowSystemLost();
    DestroyWindow();
}

void CWin32FrameHost::Dispatch(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (m_bDestroyed)
        return;
    ++m_nDispatchDepth;
    m_wnd.WindowProc(message, wParam, lParam);
    --m_nDispatchDepth;
}
