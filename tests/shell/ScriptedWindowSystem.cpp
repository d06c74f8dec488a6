// The scripted window system: one frame, boxes and dialogs answered in order, ticks on demand.
#include "ScriptedWindowSystem.h"

#include "DialogHost.h"
#include "WindowHost.h"
#include "Wnd.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <map>

namespace {

// Unusual sizes, different on each axis, so that a wrong outer-size formula shows.
const std::map<int, int> SYSTEM_METRICS = {
    {SM_CXEDGE, 2}, {SM_CXDLGFRAME, 3}, {SM_CYEDGE, 4}, {SM_CYDLGFRAME, 5}, {SM_CYCAPTION, 19}, {SM_CYMENU, 20},
};

} // namespace

// A dialog of the frame, answered from the script: the answer's name is typed, then OK or Cancel pressed.
class CScriptedDialogHost : public IDialogHost {
public:
    explicit CScriptedDialogHost(CScriptedWindowSystem& sys) : s(sys) {}

    void Attach(CWnd* pWnd) override { m_pWnd = pWnd; }
    // The name dialog's one edit box; its byte limit is for the real window's tests.
    std::string GetDlgItemText(int) override { return m_strEdit; }
    void SetDlgItemText(int, std::string_view text) override { m_strEdit = text; }
    LRESULT SendDlgItemMessage(int, UINT, WPARAM, LPARAM) override { return 0; }
    void FocusFirstTabStop() override {}
    INT_PTR RunModalLoop() override
    {
        const auto answer = s.NextAnswer();
        m_strEdit = answer.name;
        m_pWnd->WindowProc(WM_COMMAND, answer.nResult == IDOK ? IDOK : IDCANCEL, 0);
        return m_nDialogResult;
    }
    void EndDialog(int nResult) override { m_nDialogResult = nResult; }

private:
    CScriptedWindowSystem& s;
    CWnd* m_pWnd = nullptr;
    std::string m_strEdit;
    int m_nDialogResult = -1;
};

// The frame's host: every call is recorded in, or answered from, the scripted system.
class CScriptedHost : public IWindowHost {
public:
    explicit CScriptedHost(CScriptedWindowSystem& sys) : s(sys) {}

    void ShowWindow(int) override { s.m_bInvalid = true; }
    void UpdateWindow() override { s.PaintIfInvalid(); }
    void SetIcon(UINT, BOOL) override {}
    void SetTimer(UINT_PTR nID, UINT nMs) override
    {
        s.m_log.push_back("timer on " + std::to_string(nID) + " " + std::to_string(nMs));
        s.m_bTimerRunning = true;
    }
    void KillTimer(UINT_PTR nID) override
    {
        s.m_log.push_back("timer off " + std::to_string(nID));
        s.m_bTimerRunning = false;
    }
    void Invalidate(BOOL) override { s.m_bInvalid = true; }
    // The frame always paints its whole back buffer.
    void PaintBitmap(const CBitmap& src, int x, int y, int cx, int cy, int xSrc, int ySrc) override
    {
        ASSERT_TRUE(x == 0 && y == 0 && xSrc == 0 && ySrc == 0 && cx == 640 && cy == 400 && src.GetWidth() == cx &&
                    src.GetHeight() == cy);
        std::copy_n(src.Bits(), cx * cy, s.m_screen.Bits());
    }
    int MessageBox(std::string_view text, std::string_view caption, UINT nType) override
    {
        EXPECT_EQ(caption, "Vantrel Ver0.2");
        char type[16] = "";
        if (nType != MB_OK)
            std::snprintf(type, sizeof type, " [%#x]", nType);
        s.m_log.push_back("box " + std::string(text) + type);
        s.m_boxes.emplace_back(text);
        s.PaintIfInvalid(); // the box's loop paints the window behind it
        const auto answer = s.NextAnswer();
        if (answer.inside)
            answer.inside();
        return answer.nResult;
    }
    std::unique_ptr<IDialogHost> CreateDialogHost(UINT nIDTemplate) override
    {
        s.m_log.push_back("dialog " + std::to_string(nIDTemplate));
        return std::make_unique<CScriptedDialogHost>(s);
    }
    void DestroyWindow() override
    {
        s.m_log.push_back("destroy");
        s.m_bDestroyPending = true;
    }

private:
    CScriptedWindowSystem& s;
};

CScriptedWindowSystem::CScriptedWindowSystem()
{
    m_screen.CreateBitmap(640, 400);
}

CScriptedWindowSystem::~CScriptedWindowSystem()
{
    if (m_pFrame != nullptr)
        m_pFrame->PostNcDestroy();
    EXPECT_TRUE(m_answers.empty()) << m_answers.size() << " scripted answers left unused";
}

void CScriptedWindowSystem::Send(UINT message, WPARAM wParam)
{
    ASSERT_NE(m_pFrame, nullptr) << "message after the frame was destroyed";
    ++m_nDepth;
    m_pFrame->WindowProc(message, wParam, 0);
    if (--m_nDepth > 0)
        return;
    if (std::exchange(m_bDestroyPending, false)) {
        m_bTimerRunning = false;
        std::exchange(m_pFrame, nullptr)->PostNcDestroy();
    }
    PaintIfInvalid(); // the loop paints once nothing else is waiting
}

std::unique_ptr<IWindowHost> CScriptedWindowSystem::CreateFrameHost(CWnd& wnd, std::string_view title, std::uint32_t,
                                                                    const RECT& rect, UINT)
{
    m_pFrame = &wnd;
    m_log.push_back("create " + std::string(title) + " " + std::to_string(rect.right - rect.left) + "x" +
                    std::to_string(rect.bottom - rect.top));
    return std::make_unique<CScriptedHost>(*this);
}

int CScriptedWindowSystem::GetSystemMetrics(int nIndex)
{
    return SYSTEM_METRICS.contains(nIndex) ? SYSTEM_METRICS.at(nIndex) : 0;
}

BOOL CScriptedWindowSystem::PlaySound(const char* pszSound, UINT fdwSound)
{
    m_log.push_back("sound " + std::string(pszSound) + " " + std::to_string(fdwSound));
    return TRUE;
}

CScriptedWindowSystem::Answer CScriptedWindowSystem::NextAnswer()
{
    if (m_answers.empty()) {
        ADD_FAILURE() << "unscripted " << m_log.back();
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
