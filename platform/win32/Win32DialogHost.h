// A dialog template brought to the screen as a Win32 dialog; its buttons go to the window bound to it.
#pragma once

#include "DialogHost.h"
#include "Win32Dialog.h"

#include <functional>

struct HWND__;
struct ResDialog;

class CWin32DialogHost : public IDialogHost {
public:
    // Over hOwner; bOwnerGone says when the owner has been destroyed, which ends the dialog cancelled.
    CWin32DialogHost(const ResDialog& res, HWND__* hOwner, std::function<bool()> bOwnerGone);

    bool IsValid() const { return m_dialog.IsValid(); }
    void Attach(CWnd* pWnd) override;
    std::string GetDlgItemText(int nID) override;
    void SetDlgItemText(int nID, std::string_view text) override;
    LRESULT SendDlgItemMessage(int nID, UINT message, WPARAM wParam, LPARAM lParam) override;
    void FocusFirstTabStop() override;
    INT_PTR RunModalLoop() override;
    void EndDialog(int nResult) override;

private:
    void OnButton(int nID);

    std::function<bool()> m_bOwnerGone;
    CWin32Dialog m_dialog;
    CWnd* m_pWnd = nullptr;
    bool m_bEnded = false;
    int m_nResult = 0;
};
