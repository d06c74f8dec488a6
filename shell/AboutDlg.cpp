// The About box, bound to its dialog template.
#include "AboutDlg.h"

#include "resource.h"

CAboutDlg::CAboutDlg(CWnd* pParent) : CDialog(IDD_ABOUT, pParent)
{
}
