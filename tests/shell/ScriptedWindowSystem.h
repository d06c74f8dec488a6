// A window system for tests: answers boxes and dialogs from a script and records what the game asks of it.
#pragma once

#include "Bitmap.h"
#include "Sound.h"
#include "WindowSystem.h"

#include <deque>
#include <functional>
#include <string>
#include <vector>

class CWnd;

class CScriptedWindowSystem : public IWindowSystem, public ISound {
public:
    CScriptedWindowSystem();
    ~CScriptedWindowSystem() override;

    // The next box or dialog ends with nResult. A box runs inside in its nested
    // loop first (ticks fired there run under it); a dialog ended with IDOK
    // gets name typed into its edit box.
    void Then(int nResult, std::string name = {}, std::function<void()> inside = {})
    {
        m_answers.push_back({nResult, std::move(name), std::move(inside)});
    }
    // A message from the "user". A frame destroyed by a handler is deleted, and
    // an invalid window painted, once the outermost handler returns.
    void Send(UINT message, WPARAM wParam = 0);
    void Command(UINT nID) { Send(WM_COMMAND, nID); }
    // One WM_TIMER, only while the timer runs; false when it is stopped.
    bool Tick() { return m_bTimerRunning && (Send(WM_TIMER, 1), true); }
    // Ticks until the timer stops; the number fired.
    int TickUntilStopped()
    {
        int nTicks = 0;
        while (Tick())
            ++nTicks;
        return nTicks;
    }

    CWnd* m_pFrame = nullptr;
    // "create <title> <outer width>x<height>", "timer on 1 20", "timer off 1",
    // "box <text>" (OK alone, no icon) or "box <text> [<type>]" (e.g. [0x21]),
    // "dialog <id>", "sound <name> <flags>", "destroy", in order.
    std::vector<std::string> m_log;
    std::vector<std::string> m_boxes; // the texts of the boxes
    bool m_bTimerRunning = false;
    CBitmap m_screen; // what the paints put in the client area

    std::unique_ptr<IWindowHost> CreateFrameHost(CWnd& wnd, std::string_view title, std::uint32_t dwStyle,
                                                 const RECT& rect, UINT nMenuID) override;
    int GetSystemMetrics(int nIndex) override;
    ISound& GetSound() override { return *this; }
    BOOL PlaySound(const char* pszSound, UINT fdwSound) override;
    int Run() override { return 0; }

private:
    friend class CScriptedHost;
    friend class CScriptedDialogHost;
    struct Answer {
        int nResult;
        std::string name;
        std::function<void()> inside;
    };
    Answer NextAnswer();
    void PaintIfInvalid();

    std::deque<Answer> m_answers;
    int m_nDepth = 0;
    bool m_bInvalid = false;
    bool m_bDestroyPending = false;
};
