// Fewest-flip search over (column, row, direction) through the pixels a probe finds free.
#include "CFlipSolver.h"

#include "CGame.h"
#include "DC.h"
#include "GameConstants.h"

#include <algorithm>
#include <climits>

namespace {

constexpr int UNREACHED = INT_MAX;

// Direction 0 keeps the starting dy, direction 1 is its opposite.
int Step(int dy, int nDir)
{
    return nDir == 0 ? dy : -dy;
}

// A column's costs hold two slots per row, one per direction.
std::size_t Slot(int y, int nDir)
{
    return static_cast<std::size_t>(y) * 2 + static_cast<std::size_t>(nDir);
}

} // namespace

std::optional<std::vector<int>> CFlipSolver::Solve(const CDC& dc, int x, int y, int dy)
{
    const std::optional<Goal> goal = Search(dc, x, y, dy);
    if (!goal)
        return std::nullopt;
    return TraceFlips(*goal, dy);
}

std::size_t CFlipSolver::Index(int nColumn, int y, int nDir) const
{
    return (static_cast<std::size_t>(nColumn) * m_nHeight + y) * 2 + nDir;
}

// A 0-1 breadth-first search whose layers are the columns: every move goes one
// column right for free, a flip stays on the pixel for one. So the costs of a
// column are final once the column before it is done, and the head, never
// meeting a column twice, never meets its own trail.
std::optional<CFlipSolver::Goal> CFlipSolver::Search(const CDC& dc, int x0, int y0, int dy)
{
    m_nHeight = nFieldHeight;
    const int nColumns = nFieldWidth - x0;
    if (nColumns <= 0 || y0 < 0 || y0 >= m_nHeight)
        return std::nullopt;
    m_vecFlipped.assign(Index(nColumns, 0, 0), 0);
    std::vector<int> vecHere(Slot(m_nHeight, 0), UNREACHED);
    std::vector<int> vecNext(Slot(m_nHeight, 0), UNREACHED);
    vecHere[Slot(y0, 0)] = 0;
    std::optional<Goal> best;
    for (int c = 0; c < nColumns; ++c) {
        std::fill(vecNext.begin(), vecNext.end(), UNREACHED);
        for (int y = 0; y < m_nHeight; ++y) {
            const int nCost[2] = {vecHere[Slot(y, 0)], vecHere[Slot(y, 1)]};
            if (nCost[0] == UNREACHED && nCost[1] == UNREACHED)
                continue;
            const HitResult hit = CGame::Classify(dc.GetPixel(x0 + c, y));
            if (hit == HIT_GOAL) {
                const int nDir = nCost[1] < nCost[0] ? 1 : 0;
                if (!best || nCost[nDir] < best->nCost)
                    best = Goal{c, y, nDir, nCost[nDir]};
            }
            if (hit != HIT_NONE)
                continue;
            for (int nDir = 0; nDir < 2; ++nDir) {
                const int nOther = nCost[1 - nDir] == UNREACHED ? UNREACHED : nCost[1 - nDir] + 1;
                const bool bFlip = nOther < nCost[nDir];
                const int nNextY = y + Step(dy, nDir);
                m_vecFlipped[Index(c, y, nDir)] = bFlip;
                if (nNextY >= 0 && nNextY < m_nHeight)
                    vecNext[Slot(nNextY, nDir)] = std::min(vecNext[Slot(nNextY, nDir)], bFlip ? nOther : nCost[nDir]);
            }
        }
        std::swap(vecHere, vecNext);
    }
    return best;
}

// Walks back from the goal: the pixel left in direction d one column earlier
// lies one step against d, and a flip recorded there means the head arrived
// in the opposite direction.
std::vector<int> CFlipSolver::TraceFlips(const Goal& goal, int dy) const
{
    std::vector<int> vecTicks;
    int y = goal.y;
    int nDir = goal.nDir;
    for (int c = goal.nColumn - 1; c >= 0; --c) {
        y -= Step(dy, nDir);
        if (m_vecFlipped[Index(c, y, nDir)]) {
            vecTicks.push_back(c);
            nDir = 1 - nDir;
        }
    }
    std::reverse(vecTicks.begin(), vecTicks.end());
    return vecTicks;
}
