// The message loop over GetMessageW.
#include "Win32Loop.h"

#include <windows.h>

bool RunMessageLoop(const std::function<bool()>& bDone, HWND hDialog)
{
    MSG msg{};
    while (!bDone()) {
        const BOOL bGot = GetMessageW(&msg, nullptr, 0, 0);
        if (bGot == 0) {
            // Left for the outer loop to see too.
            PostQuitMessage(int(msg.wParam));
            return false;
        }
        if (bGot < 0)
            return false;
        if (hDialog != nullptr && IsWindow(hDialog) && IsDialogMessageW(hDialog, &msg))
            continue;
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
    return true;
}
