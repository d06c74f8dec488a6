// Speed of the game core: one free tick, a whole field at several stages, the fewest-flip solver.
#include "Bitmap.h"
#include "CFlipSolver.h"
#include "CGame.h"
#include "DC.h"
#include "FixedClockRuntime.h"

#include <benchmark/benchmark.h>

namespace {

// A black 640 x 400 back buffer in a memory context, with a fixed clock.
struct BenchSurface {
    CBitmap bmp;
    CDC dc;
    CFixedClockRuntime runtime{1};

    BenchSurface()
    {
        bmp.CreateBitmap(640, 400);
        dc.CreateCompatibleDC(nullptr);
        dc.SelectObject(&bmp);
    }
};

// On a black surface every probe is free; turning every 32 columns keeps the
// head between the rows. Before the right edge the head starts over on a
// cleared surface (untimed), so that it never meets its own trail.
void BM_FreeTick(benchmark::State& state)
{
    BenchSurface s;
    CGame game(s.runtime);
    for (auto _ : state) {
        if (game.GetX() >= 600) {
            state.PauseTiming();
            game.Reset();
            s.dc.PatBlt(0, 0, 640, 400, BLACKNESS);
            state.ResumeTiming();
        }
        if (game.GetX() % 32 == 0)
            game.Reverse();
        const HitResult hit = game.Probe(s.dc);
        if (hit != HIT_NONE) {
            state.SkipWithError("a free tick met something");
            break;
        }
        game.Advance(s.dc, hit);
    }
}
BENCHMARK(BM_FreeTick);

void BM_DrawField(benchmark::State& state)
{
    BenchSurface s;
    CGame game(s.runtime);
    while (game.GetStage() < state.range(0))
        game.Advance(s.dc, HIT_GOAL);
    for (auto _ : state)
        game.DrawField(s.dc);
}
BENCHMARK(BM_DrawField)->Arg(1)->Arg(10)->Arg(100)->Unit(benchmark::kMillisecond);

void BM_SolveStageOne(benchmark::State& state)
{
    BenchSurface s;
    CGame game(s.runtime);
    game.DrawField(s.dc);
    CFlipSolver solver;
    for (auto _ : state)
        benchmark::DoNotOptimize(solver.Solve(s.dc, game.GetX(), game.GetY(), game.GetDY()));
}
BENCHMARK(BM_SolveStageOne)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv)
{
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
