// The browser's clock and a generator that draws the same numbers as the desktop's C library.
#include "WebRuntime.h"

#include "WebBridge.h"

#include <ctime>

std::time_t CWebRuntime::Time()
{
    return m_fixedSeed ? std::time_t(*m_fixedSeed) : std::time(nullptr);
}

CWebRuntime::CWebRuntime(std::optional<std::uint32_t> fixedSeed) : m_fixedSeed(fixedSeed)
{
    Seed(1);
}

void CWebRuntime::Srand(unsigned int seed)
{
    if (m_fixedSeed)
        seed = *m_fixedSeed;
    vt_show_seed(seed);
    Seed(seed);
}

void CWebRuntime::Seed(unsigned int seed)
{
    if (seed == 0)
        seed = 1;
    // The state's words are signed 32-bit: a seed above 2^31 - 1 starts negative.
    auto word = std::int32_t(seed);
    m_state[0] = word;
    for (int i = 1; i < DEGREE; ++i) {
        // 16807 * word mod (2^31 - 1) without overflow (Schrage's method).
        const std::int32_t hi = word / 127773;
        const std::int32_t lo = word % 127773;
        word = 16807 * lo - 2836 * hi;
        if (word < 0)
            word += 2147483647;
        m_state[std::size_t(i)] = word;
    }
    m_nFront = SEPARATION;
    m_nRear = 0;
    for (int i = 0; i < 10 * DEGREE; ++i)
        Next();
}

int CWebRuntime::Rand()
{
    return Next();
}

int CWebRuntime::Next()
{
    std::int32_t& front = m_state[std::size_t(m_nFront)];
    const std::uint32_t value = std::uint32_t(front) + std::uint32_t(m_state[std::size_t(m_nRear)]);
    front = std::int32_t(value);
    m_nFront = (m_nFront + 1) % DEGREE;
    m_nRear = (m_nRear + 1) % DEGREE;
    return int(value >> 1);
}
