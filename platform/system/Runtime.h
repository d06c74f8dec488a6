// The runtime library calls the star field depends on, behind a seam so that
// tests and tools can fix the clock.
#pragma once

#include <ctime>

class IRuntime {
public:
    virtual ~IRuntime() = default;
    // The current time in whole seconds.
    virtual std::time_t Time() = 0;
    // Seeds the pseudo-random generator.
    virtual void Srand(unsigned int seed) = 0;
    // The next pseudo-random value, 0 to at least 32767.
    virtual int Rand() = 0;
};

// The real clock with the C library's generator.
class CSystemRuntime : public IRuntime {
public:
    std::time_t Time() override;
    void Srand(unsigned int seed) override;
    int Rand() override;
};
