// The game's one window: back buffer, menu commands, game flow and ranking box.
#pragma once

#include "Bitmap.h"
#include "CGame.h"
#include "FrameWnd.h"
#include "Ranking.h"

#include <functional>

class CDC;
class IRuntime;
class IWindowSystem;

class CMainFrame : public CFrameWnd {
public:
    // Creates the window hidden on windowSystem, with the stage-1 field (its
    // stars from runtime) in the back buffer and the ranking table loaded.
    CMainFrame(IWindowSystem& windowSystem, IRuntime& runtime);
    ~CMainFrame() override;

    // (Re)makes the 640 x 400 back buffer and draws the current field into it.
    void CreateBackBuffer();
    // Tells the player, once, when the ranking file could not be read or
    // created at start-up; the game is playable either way.
    void ReportLoadProblem();
    // Once the window is on screen: the crash sound is got ready, so that a
    // crash never waits on the audio server.
    void PrepareSounds();
    // The program is ending while a ranking box is open: the save made when
    // the box closes is made now (a failure goes to standard error).
    void SavePendingRanking();

protected:
    void OnPaint();
    void OnTimer(UINT_PTR nIDEvent);
    void OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags);
    void OnLButtonDown(UINT nFlags, POINT point);
    void OnLButtonDblClk(UINT nFlags, POINT point);
    void OnGameStart();
    void OnGameExit();
    void OnRanking();
    void OnAbout();

    DECLARE_MESSAGE_MAP()

private:
    // Runs work on a memory context holding the back buffer; the buffer is
    // free again when it returns, so painting can select it.
    void DrawInBackBuffer(const std::function<void(CDC&)>& work);
    // Quit prompt: OK destroys the window, Cancel resumes a running game.
    void ConfirmQuit();
    // After a game over: a qualifying score asks for a name and takes the
    // lowest place; then the ranking box, unless the name was cancelled.
    void EnterNewRecord();
    // Sorts the table, shows it in a box and saves it.
    void ShowRanking();

    CBitmap m_bmpBack;
    CGame m_game;
    CRanking m_ranking;
    int m_bPlaying;              // nonzero from Start until the next crash
    int m_nRankingBoxesOpen = 0; // each saves the table when it closes
};
