// The GNU C library's rand(), step for step.
#include "GlibcRandom.h"

#include <cstddef>

void CGlibcRandom::Seed(unsigned int seed)
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

int CGlibcRandom::Next()
{
    std::int32_t& front = m_state[std::size_t(m_nFront)];
    const std::uint32_t value = std::uint32_t(front) + std::uint32_t(m_state[std::size_t(m_nRear)]);
    front = std::int32_t(value);
    m_nFront = (m_nFront + 1) % DEGREE;
    m_nRear = (m_nRear + 1) % DEGREE;
    return int(value >> 1);
}
