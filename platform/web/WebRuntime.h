// The game's clock and generator in the browser, giving the same star fields as the desktop build.
#pragma once

#include "Runtime.h"

#include <array>
#include <cstdint>
#include <optional>

// The browser's C library has a generator of its own; this one is the GNU C
// library's rand() (its additive feedback generator, degree 31, separation 3),
// so that a seed gives the desktop's field. With a fixed seed every seeding
// uses it instead of the clock. Each seeding is shown on the page.
class CWebRuntime : public IRuntime {
public:
    // Unseeded, it draws what the C library draws before any srand.
    explicit CWebRuntime(std::optional<std::uint32_t> fixedSeed);

    std::time_t Time() override;
    void Srand(unsigned int seed) override;
    int Rand() override;

private:
    void Seed(unsigned int seed);
    int Next();

    static constexpr int DEGREE = 31;
    static constexpr int SEPARATION = 3;

    std::optional<std::uint32_t> m_fixedSeed;
    std::array<std::int32_t, DEGREE> m_state{};
    int m_nFront = SEPARATION;
    int m_nRear = 0;
};
