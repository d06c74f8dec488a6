// A windowed program has no console: --help and --version answer on the one they were started from.
#include "Win32Console.h"

#include <windows.h>

#include <cstdio>

namespace {

bool LeadsNowhere(DWORD nStdHandle)
{
    const HANDLE hStream = GetStdHandle(nStdHandle);
    return hStream == nullptr || hStream == INVALID_HANDLE_VALUE;
}

} // namespace

bool AttachParentConsole()
{
    // Output redirected by the starting program (a pipe, a file) is kept where it goes.
    const bool bOut = LeadsNowhere(STD_OUTPUT_HANDLE);
    const bool bErr = LeadsNowhere(STD_ERROR_HANDLE);
    if (!bOut && !bErr)
        return true;
    if (!AttachConsole(ATTACH_PARENT_PROCESS))
        return false;
    if (bOut)
        std::freopen("CONOUT$", "w", stdout);
    if (bErr)
        std::freopen("CONOUT$", "w", stderr);
    return true;
}
