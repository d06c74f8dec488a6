// The headless game loop: Reset and draw a field like a Start, then Probe and Advance per tick.
#include "CSimRunner.h"

#include "CGame.h"
#include "DC.h"
#include "FixedClockRuntime.h"
#include "GameConstants.h"
#include "PeakMemory.h"

#include <ostream>
#include <sstream>
#include <utility>

std::string FormatSimResult(const SimResult& result)
{
    std::ostringstream out;
    out << "result: stage=" << result.nStage << " score=" << result.nScore << " ticks=" << result.nTicks
        << " flips=" << result.nFlips << " end=" << (result.end == SimResult::End::Crash ? "crash" : "stopped");
    return out.str();
}

CSimRunner::CSimRunner(SimOptions options) : m_options(std::move(options))
{
    m_bmpBack.CreateBitmap(nFieldWidth, nFieldHeight);
}

SimResult CSimRunner::Run(std::ostream& log)
{
    CFixedClockRuntime runtime(m_options.tSeed);
    CDC dc;
    dc.CreateCompatibleDC(nullptr);
    CBitmap* pOldBitmap = dc.SelectObject(&m_bmpBack);
    CGame game(runtime);
    game.LoadBitmaps();
    SimResult result;
    m_nCleared = 0;
    for (;;) {
        game.Reset();
        game.DrawField(dc);
        Play(game, dc, result, log);
        if (result.end == SimResult::End::Stopped || !m_options.bRestart)
            break;
        // A new game as Start would draw it a second later: other stars.
        runtime.SetTime(runtime.Time() + 1);
        log << "restart: crash at stage " << game.GetStage() << ", new game at second " << runtime.Time() << "\n";
    }
    dc.SelectObject(pOldBitmap);
    dc.DeleteDC();
    game.FreeBitmaps();
    if (m_options.nRssAt > 0)
        LogPeakMemory(log);
    return result;
}

// Ticks are counted from 0 over the whole run. Each stage ends within one
// field width of ticks, at the gate or at a crash, so the loop ends.
void CSimRunner::Play(CGame& game, CDC& dc, SimResult& result, std::ostream& log)
{
    m_vecFlipTicks = m_options.vecFlips;
    m_iNextFlip = 0;
    if (m_options.bSolve)
        PlanStage(game, dc, result.nTicks, log);
    for (long long nTick = result.nTicks;; ++nTick) {
        if (nTick == m_options.nTicks) {
            result.end = SimResult::End::Stopped;
            break;
        }
        for (; m_iNextFlip < m_vecFlipTicks.size() && m_vecFlipTicks[m_iNextFlip] == nTick; ++m_iNextFlip) {
            game.Reverse();
            ++result.nFlips;
        }
        const HitResult hit = game.Probe(dc);
        game.Advance(dc, hit);
        ++result.nTicks;
        if (hit == HIT_CRASH) {
            result.end = SimResult::End::Crash;
            break;
        }
        if (hit == HIT_GOAL) {
            if (++m_nCleared == m_options.nRssAt)
                LogPeakMemory(log);
            if (m_nCleared == m_options.nStages) {
                result.end = SimResult::End::Stopped;
                break;
            }
            if (m_options.bSolve)
                PlanStage(game, dc, nTick + 1, log);
        }
    }
    result.nStage = game.GetStage();
    result.nScore = game.GetScore();
}

// Replaces the flip schedule by the solver's plan from the head's position
// before tick nTick; with no plan the stage is played without flips.
void CSimRunner::PlanStage(const CGame& game, const CDC& dc, long long nTick, std::ostream& log)
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

void CSimRunner::LogPeakMemory(std::ostream& log) const
{
    log << "memory: stages=" << m_nCleared << " maxrss_kb=" << PeakResidentKb() << "\n";
}
