// Modal dialogs: run by the parent window's host, with data exchange through the dialog host.
#include "Dialog.h"

#include "DialogHost.h"
#include "WindowHost.h"

void DDX_Text(CDataExchange* pDX, int nIDC, std::string& value)
{
    IDialogHost* pHost = pDX->m_pDlgWnd->GetDialogHost();
    if (pHost == nullptr)
        return;
    if (pDX->m_bSaveAndValidate)
        value = pHost->GetDlgItemText(nIDC);
    else
        pHost->SetDlgItemText(nIDC, value);
}

CDialog::CDialog(UINT nIDTemplate, CWnd* pParentWnd) : m_nIDTemplate(nIDTemplate), m_pParentWnd(pParentWnd)
{
}

CDialog::~CDialog() = default;

INT_PTR CDialog::DoModal()
{
    if (m_pParentWnd == nullptr || m_pParentWnd->GetHost() == nullptr)
        return -1;
    return m_pParentWnd->GetHost()->RunModalDialog(*this);
}

BOOL CDialog::OnInitDialog()
{
    UpdateData(FALSE);
    return TRUE;
}

void CDialog::OnOK()
{
    if (!UpdateData(TRUE))
        return;
    EndDialog(IDOK);
}

void CDialog::OnCancel()
{
    EndDialog(IDCANCEL);
}

void CDialog::DoDataExchange(CDataExchange*)
{
}

BOOL CDialog::UpdateData(BOOL bSaveAndValidate)
{
    CDataExchange dx(this, bSaveAndValidate);
    DoDataExchange(&dx);
    return TRUE;
}

void CDialog::EndDialog(int nResult)
{
    if (m_pDlgHost != nullptr)
        m_pDlgHost->EndDialog(nResult);
}

LRESULT CDialog::SendDlgItemMessage(int nID, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (m_pDlgHost == nullptr)
        return 0;
    return m_pDlgHost->SendDlgItemMessage(nID, message, wParam, lParam);
}
