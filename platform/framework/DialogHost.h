// What an open dialog needs from the window system: its controls and its modal loop.
// Every back end keeps the rules in BACKEND.md (modal loops, nested timer and paint, destruction).
#pragma once

#include "WinTypes.h"

#include <string>
#include <string_view>

class CWnd;

class IDialogHost {
public:
    virtual ~IDialogHost() = default;
    // The window that hears the OK and Cancel buttons (Enter, Escape and the
    // close box too) as WM_COMMAND IDOK and IDCANCEL; nullptr unbinds it.
    virtual void Attach(CWnd* pWnd) = 0;
    // Control texts as code page 932 bytes.
    virtual std::string GetDlgItemText(int nID) = 0;
    virtual void SetDlgItemText(int nID, std::string_view text) = 0;
    // EM_LIMITTEXT (wParam = bytes of code page 932 text) on an edit control;
    // other messages return 0.
    virtual LRESULT SendDlgItemMessage(int nID, UINT message, WPARAM wParam, LPARAM lParam) = 0;
    // Puts the keyboard focus on the first control with a tab stop.
    virtual void FocusFirstTabStop() = 0;
    // Shows the dialog and runs its loop until EndDialog (at once when it has
    // already been called); returns what EndDialog was given.
    virtual INT_PTR RunModalLoop() = 0;
    virtual void EndDialog(int nResult) = 0;
};
