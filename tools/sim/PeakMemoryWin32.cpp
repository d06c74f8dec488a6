// The peak resident set on Windows: the process's peak working set.
#include "PeakMemory.h"

#include <windows.h>

#include <psapi.h>

long PeakResidentKb()
{
    PROCESS_MEMORY_COUNTERS counters{};
    counters.cb = sizeof(counters);
    if (!GetProcessMemoryInfo(GetCurrentProcess(), &counters, sizeof(counters)))
        return 0;
    return long(counters.PeakWorkingSetSize / 1024);
}
