// Plays games headless on the game core: fixed clock, scheduled or planned flips, restarts after a crash.
#pragma once

#include "Bitmap.h"
#include "CFlipSolver.h"
#include "SimOptions.h"

#include <cstdint>
#include <iosfwd>
#include <string>
#include <vector>

class CDC;
class CGame;

// Stage and score are the last game's.
struct SimResult {
    enum class End { Crash, Stopped };

    int nStage = 0;
    std::int32_t nScore = 0;
    long long nTicks = 0; // Probe/Advance ticks run in all games, the last goal or crash tick included
    int nFlips = 0;       // flips applied in all games
    End end = End::Crash;
};

// The result as the runner's last line: "result: stage=S score=P ticks=T flips=F end=crash|stopped".
std::string FormatSimResult(const SimResult& result);

class CSimRunner {
public:
    explicit CSimRunner(SimOptions options);

    // Plays the game with the options' clock installed as the runtime; with
    // restarts, crashed games are followed by new ones, each a clock second
    // later, until the stages are cleared. The solver's plan for each stage,
    // or that it found none, each restart and the asked-for peak memory lines
    // ("memory: stages=N maxrss_kb=K", also once at the end) go to log.
    SimResult Run(std::ostream& log);
    // The back buffer as the player would see it after Run.
    const CBitmap& GetBackBuffer() const { return m_bmpBack; }

private:
    // One game from its drawn field to its crash or the last stage, adding
    // to result.
    void Play(CGame& game, CDC& dc, SimResult& result, std::ostream& log);
    void PlanStage(const CGame& game, const CDC& dc, long long nTick, std::ostream& log);
    void LogPeakMemory(std::ostream& log) const;

    SimOptions m_options;
    CBitmap m_bmpBack;
    CFlipSolver m_solver;
    std::vector<long long> m_vecFlipTicks; // ascending; flips before these ticks
    std::size_t m_iNextFlip = 0;
    int m_nCleared = 0; // stages cleared in all games
};
