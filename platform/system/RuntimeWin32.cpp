// The clock and generator on Windows: msvcrt's rand() draws other numbers than the GNU C library's, so the game
// draws the latter's itself, one sequence for the process as the C library keeps it.
#include "GlibcRandom.h"
#include "Runtime.h"

namespace {

CGlibcRandom& ProcessRandom()
{
    static CGlibcRandom random;
    return random;
}

} // namespace

std::time_t CSystemRuntime::Time()
{
    return std::time(nullptr);
}

void CSystemRuntime::Srand(unsigned int seed)
{
    ProcessRandom().Seed(seed);
}

int CSystemRuntime::Rand()
{
    return ProcessRandom().Next();
}
