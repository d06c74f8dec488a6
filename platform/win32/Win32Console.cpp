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
    // A stream that cannot be reopened stays as it was: the message is lost, the program goes on.
    bool bReopened = true;
    if (bOut)
        bReopened = std::freopen("CONOUT$", "w", stdout) != nullptr;
    if (bErr)
        bReopened = std::freopen("CONOUT$", "w", stderr) != nullptr && bReopened;
    return bReopened;
}
