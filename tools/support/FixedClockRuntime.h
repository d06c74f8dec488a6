// A runtime whose clock stands still, so that tests and tools draw the same star field every time.
#pragma once

#include "Runtime.h"

// The C library's generator with a clock that always reads the given second.
class CFixedClockRuntime : public CSystemRuntime {
public:
    explicit CFixedClockRuntime(std::time_t seconds) : m_tNow(seconds) {}
    std::time_t Time() override { return m_tNow; }
    void SetTime(std::time_t seconds) { m_tNow = seconds; }

private:
    std::time_t m_tNow;
};
