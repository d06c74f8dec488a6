// Fixture of the shell tests: the main frame on a scripted window system (boxes and dialogs answered from a script,
// what the game asks recorded), in a fresh directory with a fixed clock.
#pragma once

#include "../ranking/RankBytes.h"
#include "CGameApp.h"
#include "DialogHost.h"
#include "MainFrame.h"
#include "Sound.h"
#include "TestScene.h"
#include "WindowHost.h"
#include "WindowSystem.h"
#include "Wnd.h"
#include "resource.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <deque>
#include <fstream>
#include <functional>
#include <map>

inline const std::string BUILT_IN = BuiltInImage();

// The window system, the frame's host and the sound at once: every call recorded in, or answered from, the script.
class CScriptedWindowSystem : public IWindowSystem, public ISound {
public:
    CScriptedWindowSystem() { m_screen.CreateBitmap(640, 400); }
    ~CScriptedWindowSystem() override
    {
        if (m_pFrame != nullptr)
            m_pFrame->PostNcDestroy();
        EXPECT_TRUE(m_answers.empty()) << m_answers.size() << " scripted answers left unused";
    }

    // The next box or dialog ends with nResult. It runs inside in its nested loop first (ticks fired there run under
    // it); a dialog ended with IDOK gets name typed into its edit box.
    void Then(int nResult, std::string name = {}, std::function<void()> inside = {})
    {
        m_answers.emplace_back(nResult, std::move(name), std::move(inside));
    }
    // A message from the "user". A frame destroyed by a handler is deleted, and an invalid window painted, once the
    // outermost handler returns.
    void Send(UINT message, WPARAM wParam = 0)
    {
        ASSERT_NE(m_pFrame, nullptr) << "message after the frame was destroyed";
        ++m_nDepth;
        m_pFrame->WindowProc(message, wParam, 0);
        if (--m_nDepth == 0 && std::exchange(m_bDestroyPending, false))
            m_bTimerRunning = false, std::exchange(m_pFrame, nullptr)->PostNcDestroy();
        if (m_nDepth == 0)
            PaintIfInvalid(); // the loop paints once nothing else is waiting
    }
    void Command(UINT nID) { Send(WM_COMMAND, nID); }
    // One WM_TIMER, only while the timer runs.
    bool Tick() { return m_bTimerRunning && (Send(WM_TIMER, 1), true); }
    // Ticks until the timer stops; the number fired.
    int TickUntilStopped()
    {
        for (int nTicks = 0;; ++nTicks)
            if (!Tick())
                return nTicks;
    }

    CWnd* m_pFrame = nullptr;
    // "create <title> <outer width>x<height>", "timer on 1 20", "timer off 1", "box <text>" (OK alone, no icon) or "box
    // <text> [<type>]" (e.g. [0x21]), "dialog <id>", "sound <name> <flags>", "destroy", in order.
    std::vector<std::string> m_log;
    std::vector<std::string> m_boxes; // the texts of the boxes, with their types as in m_log
    bool m_bTimerRunning = false, m_bInvalid = false, m_bDestroyPending = false;
    CBitmap m_screen; // what the paints put in the client area

    std::unique_ptr<IWindowHost> CreateFrameHost(CWnd& wnd, std::string_view title, std::uint32_t, const RECT& rect,
                                                 UINT) override;
    // Unusual sizes, different on each axis, so that a wrong outer-size formula shows.
    int GetSystemMetrics(int nIndex) override
    {
        const std::map<int, int> metrics = {{SM_CXEDGE, 2},     {SM_CXDLGFRAME, 3}, {SM_CYEDGE, 4},
                                            {SM_CYDLGFRAME, 5}, {SM_CYCAPTION, 19}, {SM_CYMENU, 20}};
        return metrics.contains(nIndex) ? metrics.at(nIndex) : 0;
    }
    ISound& GetSound() override { return *this; }
    void Prepare(const char*) override {}
    BOOL PlaySound(const char* pszSound, UINT fdwSound) override
    {
        m_log.push_back("sound " + std::string(pszSound) + " " + std::to_string(fdwSound));
        return TRUE;
    }
    int Run() override { return 0; }

    // The next answer, its inside already run.
    std::pair<int, std::string> Answer()
    {
        if (m_answers.empty()) {
            ADD_FAILURE() << "unscripted " << m_log.back();
            return {IDCANCEL, {}};
        }
        auto [nResult, name, inside] = std::move(m_answers.front());
        m_answers.pop_front();
        if (inside)
            inside();
        return {nResult, name};
    }
    void PaintIfInvalid()
    {
        if (m_bInvalid && m_pFrame != nullptr)
            m_bInvalid = false, Send(WM_PAINT);
    }

private:
    std::deque<std::tuple<int, std::string, std::function<void()>>> m_answers;
    int m_nDepth = 0;
};

// A dialog of the frame: the answer's name is typed into its one edit box, then OK or Cancel pressed.
class CScriptedDialogHost : public IDialogHost {
public:
    explicit CScriptedDialogHost(CScriptedWindowSystem& sys) : s(sys) {}
    void Attach(CWnd* pWnd) override { m_pWnd = pWnd; }
    std::string GetDlgItemText(int) override { return m_strEdit; }
    void SetDlgItemText(int, std::string_view text) override { m_strEdit = text; }
    LRESULT SendDlgItemMessage(int, UINT, WPARAM, LPARAM) override { return 0; } // the byte limit: window tests
    void FocusFirstTabStop() override {}
    INT_PTR RunModalLoop() override
    {
        int nResult = 0;
        std::tie(nResult, m_strEdit) = s.Answer();
        m_pWnd->WindowProc(WM_COMMAND, nResult == IDOK ? IDOK : IDCANCEL, 0);
        return m_nDialogResult;
    }
    void EndDialog(int nResult) override { m_nDialogResult = nResult; }

private:
    CScriptedWindowSystem& s;
    CWnd* m_pWnd = nullptr;
    std::string m_strEdit;
    int m_nDialogResult = -1;
};

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
        s.m_boxes.push_back(std::string(text) + type);
        s.m_log.push_back("box " + s.m_boxes.back());
        s.PaintIfInvalid(); // the box's loop paints the window behind it
        return s.Answer().first;
    }
    std::unique_ptr<IDialogHost> CreateDialogHost(UINT nIDTemplate) override
    {
        s.m_log.push_back("dialog " + std::to_string(nIDTemplate));
        return std::make_unique<CScriptedDialogHost>(s);
    }
    void DestroyWindow() override
    {
        s.m_log.emplace_back("destroy");
        s.m_bDestroyPending = true;
    }

private:
    CScriptedWindowSystem& s;
};

inline std::unique_ptr<IWindowHost> CScriptedWindowSystem::CreateFrameHost(CWnd& wnd, std::string_view title,
                                                                           std::uint32_t, const RECT& rect, UINT)
{
    m_pFrame = &wnd;
    m_log.push_back("create " + std::string(title) + " " + std::to_string(rect.right - rect.left) + "x" +
                    std::to_string(rect.bottom - rect.top));
    return std::make_unique<CScriptedHost>(*this);
}

class ShellTest : public testing::Test {
protected:
    // A second whose stage-1 field lets the head fall straight for a while and still has a way through to the gate.
    static constexpr std::time_t FIELD_SECOND = 1031788800;

    void SetUp() override { SetTable(BUILT_IN); }
    void TearDown() override { theApp.m_pMainWnd = nullptr; }

    // Start-up with "rank.vtd" holding image, unless it is empty: the main frame on the scripted system.
    void Open(const std::string& image = {})
    {
        if (!image.empty())
            std::ofstream("rank.vtd", std::ios::binary) << image;
        ASSERT_TRUE(theApp.ShowMainFrame(new CMainFrame(m_sys, m_scene.m_clock)));
    }
    void Start()
    {
        m_sys.Then(IDOK);
        m_sys.Command(ID_GAME_START);
    }
    bool ShowsField() const
    {
        return std::equal(m_scene.m_field.Bits(), m_scene.m_field.Bits() + 640L * 400, m_sys.m_screen.Bits());
    }
    std::vector<std::string> LogFrom(std::size_t n) const { return {m_sys.m_log.begin() + long(n), m_sys.m_log.end()}; }

    CTestScene m_scene{FIELD_SECOND};
    CScriptedWindowSystem m_sys;
};
