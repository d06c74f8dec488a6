// The browser's clock and a generator that draws the same numbers as the desktop's C library.
#include "WebRuntime.h"

#include "WebBridge.h"

#include <ctime>

std::time_t CWebRuntime::Time()
{
    return m_fixedSeed ? std::time_t(*m_fixedSeed) : std::time(nullptr);
}

void CWebRuntime::Srand(unsigned int seed)
{
    if (m_fixedSeed)
        seed = *m_fixedSeed;
    vt_show_seed(seed);
    m_random.Seed(seed);
}

int CWebRuntime::Rand()
{
    return m_random.Next();
}
