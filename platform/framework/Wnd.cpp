// Message dispatch through the static message maps, and the window calls a handler makes.
#include "Wnd.h"

#include "Cp932.h"
#include "FileException.h"
#include "WindowHost.h"

#include <string>

namespace {

constexpr UINT LowWord(WPARAM w)
{
    return UINT(w & 0xFFFF);
}

// The error box for a file error that escaped a handler: which file and why, in the system's words.
std::string DescribeFileError(const CFileException& e)
{
    return "A file error occurred with \"" + SystemTextToCp932(e.GetFileName()) + "\".\n" +
           SystemTextToCp932(e.GetReason()) + ".";
}

} // namespace

CWnd::CWnd() = default;

CWnd::~CWnd() = default;

const AFX_MSGMAP* CWnd::GetThisMessageMap()
{
    static const AFX_MSGMAP_ENTRY entries[] = {{0, 0, nullptr}};
    static const AFX_MSGMAP messageMap = {nullptr, &entries[0]};
    return &messageMap;
}

const AFX_MSGMAP* CWnd::GetMessageMap() const
{
    return GetThisMessageMap();
}

const AFX_MSGMAP_ENTRY* CWnd::FindEntry(UINT message, UINT nID) const
{
    for (const AFX_MSGMAP* pMap = GetMessageMap(); pMap != nullptr;
         pMap = pMap->pfnGetBaseMap != nullptr ? pMap->pfnGetBaseMap() : nullptr) {
        for (const AFX_MSGMAP_ENTRY* pEntry = pMap->lpEntries; pEntry->pfn != nullptr; ++pEntry) {
            if (pEntry->nMessage == message && (message != WM_COMMAND || pEntry->nID == nID))
                return pEntry;
        }
    }
    return nullptr;
}

LRESULT CWnd::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    try {
        const AFX_MSGMAP_ENTRY* pEntry = FindEntry(message, LowWord(wParam));
        if (pEntry == nullptr)
            return DefWindowProc(message, wParam, lParam);
        pEntry->pfn(this, wParam, lParam);
    } catch (const CFileException& e) {
        // Like the framework's own report: the player sees it, the program goes on.
        MessageBox(DescribeFileError(e).c_str(), nullptr, MB_OK | MB_ICONERROR);
    }
    return 0;
}

LRESULT CWnd::DefWindowProc(UINT message, WPARAM, LPARAM)
{
    if (message == WM_CLOSE)
        DestroyWindow();
    return 0;
}

void CWnd::PostNcDestroy()
{
}

void CWnd::AttachHost(std::unique_ptr<IWindowHost> pHost, std::string_view title)
{
    m_pHost = std::move(pHost);
    m_strTitle = title;
}

BOOL CWnd::ShowWindow(int nCmdShow)
{
    if (m_pHost == nullptr)
        return FALSE;
    m_pHost->ShowWindow(nCmdShow);
    return TRUE;
}

void CWnd::UpdateWindow()
{
    if (m_pHost != nullptr)
        m_pHost->UpdateWindow();
}

void CWnd::SetIcon(UINT nIconID, BOOL bBigIcon)
{
    if (m_pHost != nullptr)
        m_pHost->SetIcon(nIconID, bBigIcon);
}

// Timers only post WM_TIMER to the window; a callback is not supported.
UINT_PTR CWnd::SetTimer(UINT_PTR nIDEvent, UINT nElapse, void*)
{
    if (m_pHost == nullptr)
        return 0;
    m_pHost->SetTimer(nIDEvent, nElapse);
    return nIDEvent;
}

BOOL CWnd::KillTimer(UINT_PTR nIDEvent)
{
    if (m_pHost == nullptr)
        return FALSE;
    m_pHost->KillTimer(nIDEvent);
    return TRUE;
}

// Only whole-window invalidation exists: the paint copies the whole buffer anyway.
void CWnd::InvalidateRect(const RECT*, BOOL bErase)
{
    if (m_pHost != nullptr)
        m_pHost->Invalidate(bErase);
}

int CWnd::MessageBox(const char* lpszText, const char* lpszCaption, UINT nType)
{
    if (m_pHost == nullptr)
        return 0;
    const std::string_view caption =
        lpszCaption != nullptr ? std::string_view(lpszCaption) : std::string_view(m_strTitle);
    return m_pHost->MessageBox(lpszText != nullptr ? lpszText : "", caption, nType);
}

BOOL CWnd::DestroyWindow()
{
    if (m_pHost == nullptr)
        return FALSE;
    m_pHost->DestroyWindow();
    return TRUE;
}
