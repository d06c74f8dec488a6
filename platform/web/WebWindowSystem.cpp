// The message loop over the page's event queue, with the desktop's system metrics.
#include "WebWindowSystem.h"

#include "Cp932.h"
#include "WebDialogHost.h"
#include "WebFrameHost.h"

namespace {

struct Metric {
    int nIndex;
    int nValue;
};
constexpr Metric SYSTEM_METRICS[] = {
    {SM_CXEDGE, 2}, {SM_CYEDGE, 2}, {SM_CXDLGFRAME, 3}, {SM_CYDLGFRAME, 3}, {SM_CYCAPTION, 19}, {SM_CYMENU, 19},
};

} // namespace

std::unique_ptr<IWindowHost> CWebWindowSystem::CreateFrameHost(CWnd& wnd, std::string_view title, std::uint32_t,
                                                               const RECT& rect, UINT nMenuID)
{
    const int nWidth = rect.right - rect.left - 2 * GetSystemMetrics(SM_CXEDGE) - 2 * GetSystemMetrics(SM_CXDLGFRAME);
    const int nHeight = rect.bottom - rect.top - 2 * GetSystemMetrics(SM_CYEDGE) - 2 * GetSystemMetrics(SM_CYDLGFRAME) -
                        GetSystemMetrics(SM_CYCAPTION) - GetSystemMetrics(SM_CYMENU);
    if (nWidth <= 0 || nHeight <= 0 || m_pFrame != nullptr)
        return nullptr;
    auto pHost = std::make_unique<CWebFrameHost>(*this, wnd, title, nWidth, nHeight, nMenuID);
    m_pFrame = pHost.get();
    m_bMainWindowGone = false;
    return pHost;
}

int CWebWindowSystem::GetSystemMetrics(int nIndex)
{
    for (const Metric& metric : SYSTEM_METRICS) {
        if (metric.nIndex == nIndex)
            return metric.nValue;
    }
    return 0;
}

int CWebWindowSystem::Run()
{
    RunUntil([this] { return m_bMainWindowGone; });
    vt_frame_closed();
    return 0;
}

void CWebWindowSystem::RunUntil(const std::function<bool()>& bDone)
{
    for (;;) {
        // The loop a destroyed window's last handler returned to tells the window.
        if (m_pFrame != nullptr && m_pFrame->IsReadyToFinish())
            m_pFrame->FinishDestroy();
        if (bDone())
            return;
        WebEvent event{};
        vt_wait_event(&event);
        Dispatch(event);
    }
}

void CWebWindowSystem::RunModal(const std::function<bool()>& bDone)
{
    ++m_nModalDepth;
    RunUntil(bDone);
    --m_nModalDepth;
}

int CWebWindowSystem::RunBox(std::string_view text, std::string_view caption, UINT nType)
{
    const int nBox = m_nNextId++;
    m_boxes[nBox] = 0;
    vt_box_open(nBox, Cp932ToUtf8(text).c_str(), Cp932ToUtf8(caption).c_str(), int(nType));
    RunModal([this, nBox] { return m_boxes[nBox] != 0 || m_pFrame == nullptr || m_pFrame->IsDestroyed(); });
    vt_box_close(nBox);
    const int nResult = m_boxes[nBox];
    m_boxes.erase(nBox);
    return nResult == IDOK ? IDOK : IDCANCEL;
}

int CWebWindowSystem::RegisterDialog(CWebDialogHost* pDialog)
{
    const int nDlg = m_nNextId++;
    m_dialogs[nDlg] = pDialog;
    return nDlg;
}

void CWebWindowSystem::UnregisterDialog(int nDlg)
{
    m_dialogs.erase(nDlg);
}

void CWebWindowSystem::OnFrameGone(const CWebFrameHost* pFrame)
{
    if (pFrame != m_pFrame)
        return;
    m_pFrame = nullptr;
    m_bMainWindowGone = true;
}

void CWebWindowSystem::Dispatch(const WebEvent& event)
{
    switch (event.kind) {
    case WebEventKind::BoxEnd: {
        const auto it = m_boxes.find(event.a);
        if (it != m_boxes.end() && it->second == 0)
            it->second = event.b == IDOK ? IDOK : IDCANCEL;
        return;
    }
    case WebEventKind::DialogEnd: {
        const auto it = m_dialogs.find(event.a);
        if (it != m_dialogs.end())
            it->second->OnButton(event.b);
        return;
    }
    case WebEventKind::Timer:
    case WebEventKind::Paint:
        if (m_pFrame != nullptr)
            m_pFrame->OnEvent(event);
        return;
    default:
        // Keys, clicks and menu commands reach the frame only when no box or dialog is open over it.
        if (m_pFrame != nullptr && m_nModalDepth == 0)
            m_pFrame->OnEvent(event);
        return;
    }
}
