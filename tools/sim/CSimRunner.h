// Plays one game headless on the game core: fixed clock, scheduled or planned flips.
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

struct SimResult {
    enum class End { Crash, Stopped };

    int nStage = 0;
    std::int32_t nScore = 0;
    long long nTicks = 0; // Probe/Advance ticks run, the last goal or crash tick included
    int nFlips = 0;       // flips applied
    End end = End::Crash;
};

// The result as the runner's last line: "result: stage=S score=P ticks=T flips=F end=crash|stopped".
std::string FormatSimResult(const SimResult& result);

class CSimRunner {
public:
    explicit CSimRunner(const SimOptions& options);

    // Plays the game with the options' clock installed as the runtime. The
    // solver's plan for each stage, or that it found none, goes to log.
    SimResult Run(std::ostream& log);
    // The back buffer as the player would see it after Run.
    const CBitmap& GetBackBuffer() const { return m_bmpBack; }

private:
    SimResult Play(CGame& game, CDC& dc, std::ostream& log);
    void PlanStage(const CGame& game, CDC& dc, long long nTick, std::ostream& log);

    SimOptions m_options;
    CBitmap m_bmpBack;
    CFlipSolver m_solver;
    std::vector<long long> m_vecFlipTicks; // ascending; flips before these ticks
    std::size_t m_iNextFlip = 0;
};
