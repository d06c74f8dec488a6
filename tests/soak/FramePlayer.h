// A scripted player for the frame soak: starts games, flips, steers with the solver, answers every box.
#pragma once

#include "CFlipSolver.h"
#include "WinTypes.h"

#include <QPointer>
#include <QStringList>
#include <QTimer>

#include <random>
#include <vector>

class CFixedClockRuntime;
class CSoakFrameHost;
class CWnd;
class QAction;
class QDialog;
class QMessageBox;
class QWidget;

class CFramePlayer {
public:
    struct Counts {
        int nGames = 0;
        int nStageClears = 0;
        int nCrashes = 0;
        int nFlips = 0;
        int nNamesTyped = 0;
        int nNamesCancelled = 0;
        int nRankingBoxes = 0;
        int nRankingsDuringPlay = 0;
        int nAboutBoxes = 0;
        int nQuitPrompts = 0;
        int nUnexpectedBoxes = 0;
    };
    struct Memory {
        long nRssKb = 0;
        long nPeakKb = 0;
        int nTopLevelWidgets = 0;
    };

    // Plays at least nTicks ticks with decisions drawn from seed; each game
    // starts one clock second after the one before. Memory is sampled before
    // tick nSampleTick and once the last game is over.
    CFramePlayer(CFixedClockRuntime& clock, unsigned int nSeed, long long nTicks, long long nSampleTick);

    // Begins playing on the application's main frame; the game's own message
    // loop then runs the whole soak, which ends by confirming the quit prompt.
    void Begin(CWnd& frame);
    // Called for every tick of the frame's timer: a player's input between
    // ticks, then the WM_TIMER.
    void OnTick(CWnd& wnd, UINT_PTR nIDEvent);

    const Counts& GetCounts() const { return m_counts; }
    long long GetTicks() const { return m_nTicks; }
    const Memory& GetSample() const { return m_sample; }
    const Memory& GetEnd() const { return m_end; }
    // Every name the edit box held when the player pressed Enter.
    const QStringList& GetNames() const { return m_names; }

private:
    // Runs on every turn of the event loop: answers the box on top, and
    // between games starts the next one or quits.
    void OnIdle();
    void Answer(QWidget* pModal);
    void AnswerBox(QMessageBox* pBox);
    void AnswerNameDialog(QDialog* pDialog);
    void Press(QWidget* pTarget, int nKey, const QString& text = {});
    // A new field is on the back buffer: the solver's plan when this stage
    // is to be cleared, random flips otherwise.
    void BeginStage();
    void InputBeforeTick();
    void Flip(bool bTwice);
    // Runs a menu command from a fresh call, as a click on the menu would,
    // so that the tick timer keeps firing inside the box it opens.
    void PostCommand(QAction* pAction);
    bool Chance(int nOneIn);
    bool TimerRunning() const;
    Memory Measure() const;

    CFixedClockRuntime& m_clock;
    std::mt19937 m_rng;
    long long m_nTickTarget;
    long long m_nSampleTick;

    CSoakFrameHost* m_pHost = nullptr;
    QWidget* m_pClient = nullptr;
    QAction* m_pStart = nullptr;
    QAction* m_pExit = nullptr;
    QAction* m_pRanking = nullptr;
    QAction* m_pAbout = nullptr;
    QTimer m_idle;
    CFlipSolver m_solver;

    long long m_nTicks = 0;
    int m_nTickDepth = 0;    // nonzero while a WM_TIMER is being handled
    bool m_bGameOver = true; // no game runs; the next Start may come
    bool m_bStartQueued = false;
    bool m_bExiting = false;
    int m_nStagesToClear = 0;   // left in this game
    bool m_bSteering = false;   // the stage follows m_vecPlan
    std::vector<int> m_vecPlan; // ticks of the stage before which to flip
    std::size_t m_iPlan = 0;
    int m_nStageTick = 0;      // the next tick's number in its stage
    bool m_bHoldNext = false;  // the next Ranking or About box stays open a while
    QPointer<QWidget> m_pHeld; // that box, while the game runs on behind it
    long long m_nHeldUntil = 0;

    Counts m_counts;
    Memory m_sample;
    Memory m_end;
    QStringList m_names;
};
