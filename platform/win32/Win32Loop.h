// The thread's message loop, shared by the outer loop and the dialogs' modal ones.
#pragma once

#include <functional>

struct HWND__;

// Dispatches messages until bDone says so, checked before each wait; hDialog (when given) gets its keyboard
// navigation. False when the loop was told to quit.
bool RunMessageLoop(const std::function<bool()>& bDone, HWND__* hDialog = nullptr);
