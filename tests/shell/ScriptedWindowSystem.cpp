// The scripted window system: one frame, boxes and dialogs answered in order, ticks on demand.
#include "ScriptedWindowSystem.h"

#include "Dialog.h"
#include "resource.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace {

// Unusual sizes, different on each axis, so that a wrong outer-size formula shows.
const std::map<int, int> SYSTEM_METRICS = {
    {SM_CXEDGE, 2}, {SM_CXDLGFRAME, 3}, {SM_CYEDGE, 4}, {SM_CYDLGFRAME, 5}, {SM_CYCAPTION, 19}, {SM_CYMENU, 20},
};

// The frame owns its host; every call goes on to the one scripted system.
class CForwardingHost : public IWindowHost {
public:
    explicit CForwardingHost(IWindowHost& target) : m_target(target) {}
    void ShowWindow(int n) override { m_target.ShowWindow(n); }
    void UpdateWindow() override { m_target.UpdateWindow(); }
    void SetIcon(UINT id, BOOL big) override { m_target.SetIcon(id, big); }
    void SetTimer(UINT_PTR id, UINT ms) override { m_target.SetTimer(id, ms); }
    void KillTimer(UINT_PTR id) override { m_target.KillTimer(id); }
    void Invalidate(BOOL erase) override { m_target.Invalidate(erase); }
    void PaintBitmap(const CBitmap& src, int x, int y, int cx, int cy, int xs, int ys) override
    {
        m_target.PaintBitmap(src, x, y, cx, cy, xs, ys);
    }
    int MessageBox(std::string_view t, std::string_view c, UINT n) override { return m_target.MessageBox(t, c, n); }
    INT_PTR RunModalDialog(CDialog& dlg) override { return m_target.RunModalDialog(dlg); }
    void DestroyWindow() override { m_target.DestroyWindow(); }

private:
    IWindowHost& m_target;
};

} // namespace

CScriptedWindowSystem::CScriptedWindowSystem()
{
    SetWindowSystem(this);
}

CScriptedWindowSystem::~CScriptedWindowSystem()
{
    if (m_pFrame != nullptr)
        m_pFrame->PostNcDestroy();
    SetWindowSystem(nullptr);
    EXPECT_TRUE(m_answers.empty()) << m_answers.size() << " scripted answers left unused";
}

void CScriptedWindowSystem::Send(UINT message, WPARAM wParam, LPARAM lParam)
{
    ASSERT_NE(m_pFrame, nullptr) << "message after the frame was destroyed";
    ++m_nDepth;
    m_pFrame->WindowProc(message, wParam, lParam);
    --m_nDepth;
    if (m_nDepth > 0)
        return;
    if (m_bDestroyPending) {
        m_bDestroyPending = false;
        m_bTimerRunning = false;
        std::exchange(m_pFrame, nullptr)->PostNcDestroy();
    }
    PaintIfInvalid(); // the loop paints once nothing else is waiting
}

bool CScriptedWindowSystem::Tick()
{
    if (!m_bTimerRunning)
        return false;
    Send(WM_TIMER, 1);
    return true;
}

int CScriptedWindowSystem::TickUntilStopped()
{
    int nTicks = 0;
    while (Tick())
        ++nTicks;
    return nTicks;
}

std::unique_ptr<IWindowHost> CScriptedWindowSystem::CreateFrameHost(CWnd& wnd, std::string_view title, std::uint32_t,
                                                                    const RECT& rect, UINT)
{
    m_pFrame = &wnd;
    m_strTitle = title;
    m_rcCreated = rect;
    const int cx = rect.right - rect.left - 2 * (GetSystemMetrics(SM_CXEDGE) + GetSystemMetrics(SM_CXDLGFRAME));
    const int cy = rect.bottom - rect.top - 2 * (GetSystemMetrics(SM_CYEDGE) + GetSystemMetrics(SM_CYDLGFRAME))
        - GetSystemMetrics(SM_CYCAPTION) - GetSystemMetrics(SM_CYMENU);
    m_screen.CreateBitmap(std::max(cx, 1), std::max(cy, 1));
    return std::make_unique<CForwardingHost>(*this);
}

int CScriptedWindowSystem::GetSystemMetrics(int nIndex)
{
    auto it = SYSTEM_METRICS.find(nIndex);
    return it != SYSTEM_METRICS.end() ? it->second : 0;
}

BOOL CScriptedWindowSystem::PlaySound(const char* pszSound, UINT fdwSound)
{
    m_log.push_back("sound " + std::string(pszSound) + " " + std::to_string(fdwSound));
    return TRUE;
}

void CScriptedWindowSystem::ShowWindow(int)
{
    m_bInvalid = true;
}

void CScriptedWindowSystem::UpdateWindow()
{
    PaintIfInvalid();
}

void CScriptedWindowSystem::SetTimer(UINT_PTR nIDEvent, UINT nElapse)
{
    m_log.push_back("timer on " + std::to_string(nIDEvent) + " " + std::to_string(nElapse));
    m_bTimerRunning = true;
}

void CScriptedWindowSystem::KillTimer(UINT_PTR nIDEvent)
{
    m_log.push_back("timer off " + std::to_string(nIDEvent));
    m_bTimerRunning = false;
}

void CScriptedWindowSystem::Invalidate(BOOL bErase)
{
    m_bInvalid = true;
    m_bErased = m_bErased || bErase;
}

void CScriptedWindowSystem::PaintBitmap(const CBitmap& src, int x, int y, int cx, int cy, int xSrc, int ySrc)
{
    for (int row = 0; row < cy; ++row) {
        for (int col = 0; col < cx; ++col) {
            const int xd = x + col, yd = y + row, xs = xSrc + col, ys = ySrc + row;
            if (xd >= 0 && yd >= 0 && xd < m_screen.GetWidth() && yd < m_screen.GetHeight() && xs >= 0 && ys >= 0
                && xs < src.GetWidth() && ys < src.GetHeight())
                m_screen.Bits()[yd * m_screen.GetWidth() + xd] = src.Bits()[ys * src.GetWidth() + xs];
        }
    }
}

int CScriptedWindowSystem::MessageBox(std::string_view text, std::string_view caption, UINT nType)
{
    m_log.push_back("box " + std::string(text));
    m_boxes.push_back({std::string(text), std::string(caption), nType});
    PaintIfInvalid(); // the box's loop paints the window behind it
    Answer answer = NextAnswer("box");
    if (answer.inside)
        answer.inside();
    return answer.nResult;
}

INT_PTR CScriptedWindowSystem::RunModalDialog(CDialog& dlg)
{
    m_log.push_back("dialog " + std::to_string(dlg.GetTemplateID()));
    Answer answer = NextAnswer("dialog");
    m_controls.clear();
    m_nDialogResult = -1;
    dlg.AttachDialogHost(this);
    dlg.OnInitDialog();
    if (answer.inside)
        answer.inside();
    if (answer.nResult == IDOK) {
        m_controls[IDC_NAME] = answer.name;
        dlg.OnOK();
    } else {
        dlg.OnCancel();
    }
    dlg.AttachDialogHost(nullptr);
    return m_nDialogResult;
}

void CScriptedWindowSystem::DestroyWindow()
{
    m_log.push_back("destroy");
    m_bDestroyPending = true;
}

void CScriptedWindowSystem::SetDlgItemText(int nID, std::string_view text)
{
    m_log.push_back("text " + std::to_string(nID) + " '" + std::string(text) + "'");
    m_controls[nID] = text;
}

LRESULT CScriptedWindowSystem::SendDlgItemMessage(int nID, UINT message, WPARAM wParam, LPARAM)
{
    if (message == EM_LIMITTEXT)
        m_log.push_back("limit " + std::to_string(nID) + " " + std::to_string(wParam));
    return 0;
}

CScriptedWindowSystem::Answer CScriptedWindowSystem::NextAnswer(const std::string& what)
{
    if (m_answers.empty()) {
        ADD_FAILURE() << "unscripted " << what << ": " << m_log.back();
        return {IDCANCEL, {}, {}};
    }
    Answer answer = std::move(m_answers.front());
    m_answers.pop_front();
    return answer;
}

void CScriptedWindowSystem::PaintIfInvalid()
{
    if (m_bInvalid && m_pFrame != nullptr) {
        m_bInvalid = false;
        Send(WM_PAINT);
    }
}
