// The C library's clock and generator, and the process-wide runtime seam.
#include "Runtime.h"

#include <cstdlib>

namespace {

CSystemRuntime g_systemRuntime;
IRuntime* g_pOverride = nullptr;

} // namespace

std::time_t CSystemRuntime::Time()
{
    return std::time(nullptr);
}

void CSystemRuntime::Srand(unsigned int seed)
{
    std::srand(seed);
}

int CSystemRuntime::Rand()
{
    return std::rand();
}

IRuntime& GetRuntime()
{
    if (g_pOverride != nullptr)
        return *g_pOverride;
    return g_systemRuntime;
}

IRuntime* SetRuntime(IRuntime* pRuntime)
{
    IRuntime* pPrevious = g_pOverride;
    g_pOverride = pRuntime;
    return pPrevious;
}
