// The C library's clock and generator.
#include "Runtime.h"

#include <cstdlib>

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
