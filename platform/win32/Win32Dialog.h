// A dialog window built in memory from one of the game's templates, with its modal loop.
#pragma once

#include <functional>
#include <string>
#include <string_view>

struct HWND__;
struct ResDialog;

class CWin32Dialog {
public:
    // Hidden over hOwner, controls sized so that no text is clipped in the font it gets; fnButton hears IDOK and
    // IDCANCEL (the OK button, Enter, Escape and the close box). IsValid is false when Windows refused it.
    CWin32Dialog(const ResDialog& res, HWND__* hOwner, std::function<void(int)> fnButton);
    ~CWin32Dialog();
    CWin32Dialog(const CWin32Dialog&) = delete;
    CWin32Dialog& operator=(const CWin32Dialog&) = delete;

    bool IsValid() const { return m_hDlg != nullptr; }
    // Code page 932 texts of control nID.
    std::string GetItemText(int nID) const;
    void SetItemText(int nID, std::string_view text);
    // Edit control nID takes at most nBytes of code page 932 text.
    void LimitItemText(int nID, int nBytes);
    // The first control with a tab stop gets the focus once the dialog shows.
    void FocusFirstTabStop();
    // Shows the dialog with its owner disabled and dispatches messages until bDone says so or the dialog is
    // destroyed (its owner was). Hidden again afterwards, the owner active.
    void RunModal(const std::function<bool()>& bDone);

private:
    static std::intptr_t __stdcall DialogProc(HWND__* hDlg, unsigned message, std::uintptr_t wParam,
                                              std::intptr_t lParam);
    void FitControls();

    HWND__* m_hDlg = nullptr;
    HWND__* m_hOwner;
    HWND__* m_hFocus = nullptr;
    std::function<void(int)> m_fnButton;
};
