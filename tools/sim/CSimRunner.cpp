// The headless game loop: Reset and draw a field like a Start, then Probe and Advance per tick.
#include "CSimRunner.h"

#include "CGame.h"
#include "DC.h"
#include "GameConstants.h"
#include "Runtime.h"

#include <ostream>
#include <sstream>

std::string FormatSimResult(const SimResult& result)
{
    std::ostringstream out;
    out << "result: stage=" << result.nStage << " score=" << result.nScore << " ticks=" << result.nTicks
        << " flips=" << result.nFlips << " end=" << (result.end == SimResult::End::Crash ? "crash" : "stopped");
    return out.str();
}

CSimRunner::CSimRunner(const SimOptions& options) : m_options(options)
{
    m_bmpBack.CreateBitmap(nFieldWidth, nFieldHeight);
}

SimResult CSimRunner::Run(std::ostream& log)
{
    CFixedClockRuntime runtime(m_options.tSeed);
    IRuntime* pPreviousRuntime = SetRuntime(&runtime);
    CDC dc;
    dc.CreateCompatibleDC(nullptr);
    CBitmap* pOldBitmap = dc.SelectObject(&m_bmpBack);
    CGame game;
    game.LoadBitmaps();
    game.Reset();
    game.DrawField(dc);
    const SimResult result = Play(game, dc, log);
    dc.SelectObject(pOldBitmap);
    dc.DeleteDC();
    game.FreeBitmaps();
    SetRuntime(pPreviousRuntime);
    return result;
}

// Ticks are counted from 0 over the whole game. Each stage ends within one
// field width of ticks, at the gate or at a crash, so the loop ends.
SimResult CSimRunner::Play(CGame& game, CDC& dc, std::ostream& log)
{
    SimResult result;
    m_vecFlipTicks = m_options.vecFlips;
    m_iNextFlip = 0;
    if (m_options.bSolve)
        PlanStage(game, dc, 0, log);
    int nCleared = 0;
    for (long long nTick = 0;; ++nTick) {
        for (; m_iNextFlip < m_vecFlipTicks.size() && m_vecFlipTicks[m_iNextFlip] == nTick; ++m_iNextFlip) {
            game.Reverse();
            ++result.nFlips;
        }
        const HitResult hit = game.Probe(dc);
        game.Advance(dc, hit);
        ++result.nTicks;
        if (hit == HIT_CRASH)
            break;
        if (hit == HIT_GOAL) {
            if (++nCleared == m_options.nStages) {
                result.end = SimResult::End::Stopped;
                break;
            }
            if (m_options.bSolve)
                PlanStage(game, dc, nTick + 1, log);
        }
    }
    result.nStage = game.GetStage();
    result.nScore = game.GetScore();
    return result;
}

// Replaces the flip schedule by the solver's plan from the head's position
// before tick nTick; with no plan the stage is played without flips.
void CSimRunner::PlanStage(const CGame& game, CDC& dc, long long nTick, std::ostream& log)
{
    m_vecFlipTicks.clear();
    m_iNextFlip = 0;
    log << "stage " << game.GetStage() << ": ";
    const auto plan = m_solver.Solve(dc, game.GetX(), game.GetY(), game.GetDY());
    if (!plan) {
        log << "no flip schedule reaches the gate\n";
        return;
    }
    log << plan->size() << " flips";
    for (int nOffset : *plan) {
        m_vecFlipTicks.push_back(nTick + nOffset);
        log << (m_vecFlipTicks.size() == 1 ? " before ticks " : ",") << nTick + nOffset;
    }
    log << "\n";
}
