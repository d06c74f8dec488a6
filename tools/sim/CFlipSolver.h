// Finds the fewest direction flips that bring the head to the goal gate of a drawn field.
#pragma once

#include <cstdint>
#include <optional>
#include <vector>

class CDC;

class CFlipSolver {
public:
    // The head stands at (x, y) and moves with dy (+2 or -2) on the surface of
    // dc. Returns the ticks, counted from the next one as 0, before which to
    // flip so that a probe finds the goal with the fewest flips; nullopt when
    // every schedule crashes.
    std::optional<std::vector<int>> Solve(const CDC& dc, int x, int y, int dy);

private:
    struct Goal {
        int nColumn;
        int y;
        int nDir;
        int nCost;
    };

    std::optional<Goal> Search(const CDC& dc, int x0, int y0, int dy);
    std::vector<int> TraceFlips(const Goal& goal, int dy) const;
    std::size_t Index(int nColumn, int y, int nDir) const;

    // Per column, row and direction: whether the cheapest way to leave that
    // pixel in that direction flips before the tick. Kept between calls to
    // spare the allocation.
    std::vector<std::uint8_t> m_vecFlipped;
    int m_nHeight = 0;
};
