// Modal dialogs: a dialog window from the parent's host, bound, initialised, run and unbound; data exchange through it.
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

BEGIN_MESSAGE_MAP(CDialog, CWnd)
ON_COMMAND(IDOK, OnOK)
ON_COMMAND(IDCANCEL, OnCancel)
END_MESSAGE_MAP()

INT_PTR CDialog::DoModal()
{
    if (m_pParentWnd == nullptr || m_pParentWnd->GetHost() == nullptr)
        return -1;
    const std::unique_ptr<IDialogHost> pHost = m_pParentWnd->GetHost()->CreateDialogHost(m_nIDTemplate);
    if (pHost == nullptr)
        return -1;
    m_pDlgHost = pHost.get();
    pHost->Attach(this);
    if (OnInitDialog())
        pHost->FocusFirstTabStop();
    const INT_PTR nResult = pHost->RunModalLoop();
    pHost->Attach(nullptr);
    m_pDlgHost = nullptr;
    return nResult;
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
