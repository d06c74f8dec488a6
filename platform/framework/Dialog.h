// Modal dialogs built from dialog templates, with data exchange to members.
#pragma once

#include "Wnd.h"

#include <memory>
#include <string>

class CDialog;
class IDialogHost;

class CDataExchange {
public:
    CDataExchange(CDialog* pDlgWnd, BOOL bSaveAndValidate) : m_bSaveAndValidate(bSaveAndValidate), m_pDlgWnd(pDlgWnd) {}
    BOOL m_bSaveAndValidate; // TRUE: controls to members; FALSE: members to controls
    CDialog* m_pDlgWnd;
};

// Exchanges the text of control nIDC (code page 932 bytes) with value.
void DDX_Text(CDataExchange* pDX, int nIDC, std::string& value);

class CDialog : public CWnd {
public:
    CDialog(UINT nIDTemplate, CWnd* pParentWnd);
    ~CDialog() override;

    // Makes the dialog window over the parent, binds it, runs OnInitDialog
    // (the focus on the first tab stop when it returns TRUE) and the modal
    // loop, then unbinds it. IDOK / IDCANCEL or what EndDialog was given; -1
    // when the dialog cannot be created (no parent window, unknown template,
    // the parent destroyed).
    virtual INT_PTR DoModal();
    // Runs the exchange towards the controls; TRUE puts the focus on the first tab stop.
    virtual BOOL OnInitDialog();
    // OK button or Enter: the exchange from the controls, then EndDialog(IDOK).
    virtual void OnOK();
    // Escape or the close box: EndDialog(IDCANCEL), no exchange.
    virtual void OnCancel();
    virtual void DoDataExchange(CDataExchange* pDX);

    BOOL UpdateData(BOOL bSaveAndValidate = TRUE);
    void EndDialog(int nResult);
    LRESULT SendDlgItemMessage(int nID, UINT message, WPARAM wParam = 0, LPARAM lParam = 0);

    // The dialog window while DoModal runs, else nullptr.
    IDialogHost* GetDialogHost() const { return m_pDlgHost; }

    DECLARE_MESSAGE_MAP()

private:
    UINT m_nIDTemplate;
    CWnd* m_pParentWnd;
    IDialogHost* m_pDlgHost = nullptr;
};
