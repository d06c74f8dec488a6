// A pseudo-random generator drawing the GNU C library's rand() numbers, for builds whose C library has another.
#pragma once

#include <array>
#include <cstdint>

// The GNU C library's default generator: additive feedback, degree 31,
// separation 3, seeded by a linear congruence and run 310 steps in. A seed
// gives the same star field as the Linux desktop build; unseeded, it draws
// what that library draws before any srand (seed 1).
class CGlibcRandom {
public:
    CGlibcRandom() { Seed(1); }

    void Seed(unsigned int seed);
    // The next value, 0 to 2^31 - 1.
    int Next();

private:
    static constexpr int DEGREE = 31;
    static constexpr int SEPARATION = 3;

    std::array<std::int32_t, DEGREE> m_state{};
    int m_nFront = SEPARATION;
    int m_nRear = 0;
};
