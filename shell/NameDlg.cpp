// The name dialog: one edit box limited to what fits a ranking record.
#include "NameDlg.h"

#include "resource.h"

namespace {

// 16 bytes of code page 932 text (8 double-byte characters); with its NUL a
// name fits the 20-byte name field of a ranking record.
constexpr WPARAM NAME_LIMIT_BYTES = 16;

} // namespace

CNameDlg::CNameDlg(CWnd* pParent) : CDialog(IDD_NAME, pParent)
{
}

void CNameDlg::DoDataExchange(CDataExchange* pDX)
{
    CDialog::DoDataExchange(pDX);
    DDX_Text(pDX, IDC_NAME, m_strName);
}

BOOL CNameDlg::OnInitDialog()
{
    // The limit goes on before the base fills the edit box.
    SendDlgItemMessage(IDC_NAME, EM_LIMITTEXT, NAME_LIMIT_BYTES);
    return CDialog::OnInitDialog() ? 1 : 0;
}

void CNameDlg::OnOK()
{
    CDialog::OnOK();
}
