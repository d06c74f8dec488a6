// A window system for tests: answers boxes and dialogs from a script and records what the game asks of it.
#pragma once

#include "Bitmap.h"
#include "DialogHost.h"
#include "WindowHost.h"
#include "WindowSystem.h"

#include <deque>
#include <functional>
#include <map>
#include <string>
#include <vector>

class CScriptedWindowSystem : public IWindowSystem, public IWindowHost, public IDialogHost {
public:
    // How the next box or dialog ends. inside runs in the box's nested loop
    // before it closes (ticks fired there run under the box); a dialog ended
    // with IDOK gets name typed into its edit box first.
    struct Answer {
        int nResult;
        std::string name;
        std::function<void()> inside;
    };
    struct Box {
        std::string text;
        std::string caption;
        UINT nType;
    };

    CScriptedWindowSystem();
    ~CScriptedWindowSystem() override;

    void Then(int nResult, std::string name = {}, std::function<void()> inside = {})
    {
        m_answers.push_back({nResult, std::move(name), std::move(inside)});
    }

    // Messages from the "user" to the frame; the frame is deleted once a
    // handler that destroyed it has returned, and an invalid window is
    // painted once the outermost handler has returned.
    void Send(UINT message, WPARAM wParam = 0, LPARAM lParam = 0);
    void Command(UINT nID) { Send(WM_COMMAND, nID); }
    // One WM_TIMER, only while the timer runs; false when it is stopped.
    bool Tick();
    // Ticks until the timer stops; the number fired.
    int TickUntilStopped();

    CWnd* m_pFrame = nullptr;
    std::vector<std::string> m_log; // boxes, dialogs, timer, sound, destroy, in order
    std::vector<Box> m_boxes;
    RECT m_rcCreated {};
    std::string m_strTitle;
    bool m_bTimerRunning = false;
    bool m_bErased = false; // any invalidation asked for an erase
    CBitmap m_screen;       // what the paints put in the client area

    // IWindowSystem
    std::unique_ptr<IWindowHost> CreateFrameHost(CWnd& wnd, std::string_view title, std::uint32_t dwStyle,
                                                 const RECT& rect, UINT nMenuID) override;
    int GetSystemMetrics(int nIndex) override;
    BOOL PlaySound(const char* pszSound, UINT fdwSound) override;
    int Run() override { return 0; }

    // IWindowHost
    void ShowWindow(int nCmdShow) override;
    void UpdateWindow() override;
    void SetIcon(UINT, BOOL) override {}
    void SetTimer(UINT_PTR nIDEvent, UINT nElapse) override;
    void KillTimer(UINT_PTR nIDEvent) override;
    void Invalidate(BOOL bErase) override;
    void PaintBitmap(const CBitmap& src, int x, int y, int cx, int cy, int xSrc, int ySrc) override;
    int MessageBox(std::string_view text, std::string_view caption, UINT nType) override;
    INT_PTR RunModalDialog(CDialog& dlg) override;
    void DestroyWindow() override;

    // IDialogHost
    std::string GetDlgItemText(int nID) override { return m_controls[nID]; }
    void SetDlgItemText(int nID, std::string_view text) override;
    LRESULT SendDlgItemMessage(int nID, UINT message, WPARAM wParam, LPARAM lParam) override;
    void EndDialog(int nResult) override { m_nDialogResult = nResult; }

private:
    Answer NextAnswer(const std::string& what);
    void PaintIfInvalid();

    std::deque<Answer> m_answers;
    std::map<int, std::string> m_controls;
    int m_nDialogResult = -1;
    int m_nDepth = 0;
    bool m_bInvalid = false;
    bool m_bDestroyPending = false;
};
