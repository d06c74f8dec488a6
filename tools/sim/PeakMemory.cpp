// The peak resident set on POSIX.
#include "PeakMemory.h"

#include <sys/resource.h>

long PeakResidentKb()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    // Linux counts it in kilobytes.
    return usage.ru_maxrss;
}
