// A dialog from a template as a modal HTML dialog in the page.
#pragma once

#include "DialogHost.h"

struct ResDialog;
class CWebFrameHost;
class CWebWindowSystem;

class CWebDialogHost : public IDialogHost {
public:
    CWebDialogHost(CWebWindowSystem& system, CWebFrameHost& owner, const ResDialog& res, UINT nIDTemplate);
    ~CWebDialogHost() override;

    void Attach(CWnd* pWnd) override;
    std::string GetDlgItemText(int nID) override;
    void SetDlgItemText(int nID, std::string_view text) override;
    LRESULT SendDlgItemMessage(int nID, UINT message, WPARAM wParam, LPARAM lParam) override;
    void FocusFirstTabStop() override;
    INT_PTR RunModalLoop() override;
    void EndDialog(int nResult) override;

    // OK or Cancel from the page (a button, Enter, Escape, the close box).
    void OnButton(int nID);

private:
    CWebWindowSystem& m_system;
    CWebFrameHost& m_owner;
    int m_nDlg;
    CWnd* m_pWnd = nullptr;
    bool m_bEnded = false;
    int m_nResult = IDCANCEL;
};
