// Dialogs on Win32: the game's control messages, and its modal loop ended by EndDialog or by the owner's end.
#include "Win32DialogHost.h"

#include "Wnd.h"

CWin32DialogHost::CWin32DialogHost(const ResDialog& res, HWND__* hOwner, std::function<bool()> bOwnerGone)
    : m_bOwnerGone(std::move(bOwnerGone)), m_dialog(res, hOwner, [this](int nID) { OnButton(nID); })
{
}

void CWin32DialogHost::Attach(CWnd* pWnd)
{
    m_pWnd = pWnd;
}

std::string CWin32DialogHost::GetDlgItemText(int nID)
{
    return m_dialog.GetItemText(nID);
}

void CWin32DialogHost::SetDlgItemText(int nID, std::string_view text)
{
    m_dialog.SetItemText(nID, text);
}

LRESULT CWin32DialogHost::SendDlgItemMessage(int nID, UINT message, WPARAM wParam, LPARAM)
{
    if (message == EM_LIMITTEXT)
        m_dialog.LimitItemText(nID, int(wParam));
    return 0;
}

void CWin32DialogHost::FocusFirstTabStop()
{
    m_dialog.FocusFirstTabStop();
}

INT_PTR CWin32DialogHost::RunModalLoop()
{
    // EndDialog may already have come from OnInitDialog.
    if (!m_bEnded)
        m_dialog.RunModal([this] { return m_bEnded || m_bOwnerGone(); });
    // A window destroyed under the dialog ends it cancelled.
    return m_bEnded ? m_nResult : IDCANCEL;
}

void CWin32DialogHost::EndDialog(int nResult)
{
    m_bEnded = true;
    m_nResult = nResult;
}

void CWin32DialogHost::OnButton(int nID)
{
    if (m_pWnd != nullptr && !m_bEnded)
        m_pWnd->WindowProc(WM_COMMAND, WPARAM(nID), 0);
}
