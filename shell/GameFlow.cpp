// The game flow of the main frame: start, ticks, steering and the quit prompt.
#include "MainFrame.h"

#include "FrameConstants.h"
#include "Sound.h"
#include "WindowSystem.h"

void CMainFrame::PrepareSounds()
{
    m_windowSystem.GetSound().Prepare(CRASH_SOUND);
}

void CMainFrame::OnGameStart()
{
    KillTimer(TICK_TIMER);
    m_game.Reset();
    m_bPlaying = 1;
    DrawInBackBuffer([this](CDC& dc) { m_game.DrawField(dc); });
    InvalidateRect(nullptr, FALSE);
    MessageBox(TEXT_START, FRAME_TITLE, MB_OK);
    SetTimer(TICK_TIMER, TICK_PERIOD_MS, nullptr);
}

void CMainFrame::OnTimer(UINT_PTR /*nIDEvent*/)
{
    HitResult hit = HIT_NONE;
    DrawInBackBuffer([this, &hit](CDC& dc) {
        hit = m_game.Probe(dc);
        m_game.Advance(dc, hit);
    });
    InvalidateRect(nullptr, FALSE);

    if (hit == HIT_GOAL) {
        // The next stage's field is already in the back buffer, behind the box.
        KillTimer(TICK_TIMER);
        MessageBox(TEXT_STAGE_CLEAR, FRAME_TITLE, MB_OK);
        SetTimer(TICK_TIMER, TICK_PERIOD_MS, nullptr);
    } else if (hit == HIT_CRASH) {
        KillTimer(TICK_TIMER);
        m_bPlaying = 0;
        m_windowSystem.GetSound().PlaySound(CRASH_SOUND, SND_FILENAME | SND_ASYNC);
        MessageBox(TEXT_GAME_OVER, FRAME_TITLE, MB_OK);
        EnterNewRecord();
    }
}

void CMainFrame::OnKeyDown(UINT nChar, UINT /*nRepCnt*/, UINT /*nFlags*/)
{
    // Auto-repeats arrive as further key-downs and flip again.
    if (nChar == VK_ESCAPE) {
        ConfirmQuit();
    } else if (nChar == VK_SPACE) {
        m_game.Reverse();
    }
}

void CMainFrame::OnLButtonDown(UINT /*nFlags*/, POINT /*point*/)
{
    m_game.Reverse();
}

// A quick second click arrives as a double-click; it flips like any click.
void CMainFrame::OnLButtonDblClk(UINT /*nFlags*/, POINT /*point*/)
{
    m_game.Reverse();
}

void CMainFrame::OnGameExit()
{
    ConfirmQuit();
}

void CMainFrame::ConfirmQuit()
{
    KillTimer(TICK_TIMER);
    if (MessageBox(TEXT_QUIT, FRAME_TITLE, MB_OKCANCEL | MB_ICONQUESTION) != IDCANCEL) {
        DestroyWindow();
        return;
    }
    if (m_bPlaying) {
        SetTimer(TICK_TIMER, TICK_PERIOD_MS, nullptr);
    }
}
