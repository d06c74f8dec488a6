// What an open dialog needs from the window system: access to its controls.
#pragma once

#include "WinTypes.h"

#include <string>
#include <string_view>

class IDialogHost {
public:
    virtual ~IDialogHost() = default;
    // Control texts as code page 932 bytes.
    virtual std::string GetDlgItemText(int nID) = 0;
    virtual void SetDlgItemText(int nID, std::string_view text) = 0;
    // EM_LIMITTEXT (wParam = bytes of code page 932 text) on an edit control;
    // other messages return 0.
    virtual LRESULT SendDlgItemMessage(int nID, UINT message, WPARAM wParam, LPARAM lParam) = 0;
    // Ends the dialog's modal loop with nResult.
    virtual void EndDialog(int nResult) = 0;
};
