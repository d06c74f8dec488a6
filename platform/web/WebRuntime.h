// The game's clock and generator in the browser, giving the same star fields as the desktop build.
#pragma once

#include "GlibcRandom.h"
#include "Runtime.h"

#include <cstdint>
#include <optional>

// The browser's C library has a generator of its own; this one draws the GNU
// C library's numbers, so that a seed gives the desktop's field. With a fixed
// seed every seeding uses it instead of the clock. Each seeding is shown on
// the page.
class CWebRuntime : public IRuntime {
public:
    // Unseeded, it draws what the C library draws before any srand.
    explicit CWebRuntime(std::optional<std::uint32_t> fixedSeed) : m_fixedSeed(fixedSeed) {}

    std::time_t Time() override;
    void Srand(unsigned int seed) override;
    int Rand() override;

private:
    std::optional<std::uint32_t> m_fixedSeed;
    CGlibcRandom m_random;
};
