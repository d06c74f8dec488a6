// The game's message boxes on MessageBoxW: code page 932 texts, Ctrl+C copies the box where Windows itself does not.
#pragma once

#include <string_view>

struct HWND__;

// Modal over the window the owner last activated (so that a box opened under another one stacks over it); nType
// in Windows' MB_ bits. Returns what MessageBoxW gave: 0 when the owner was destroyed meanwhile.
int RunMessageBox(HWND__* hOwner, std::string_view text, std::string_view caption, unsigned nType);
