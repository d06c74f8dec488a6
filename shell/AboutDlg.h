// The About box: the game's name, version, date and credit, all from its template.
#pragma once

#include "Dialog.h"

class CAboutDlg : public CDialog {
public:
    explicit CAboutDlg(CWnd* pParent);
};
