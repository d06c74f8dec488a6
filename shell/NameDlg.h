// The dialog that asks for the player's name after a game good enough for the ranking.
#pragma once

#include "Dialog.h"

#include <string>

class CNameDlg : public CDialog {
public:
    explicit CNameDlg(CWnd* pParent);

    // The typed name, code page 932 bytes; valid after DoModal returned IDOK.
    std::string m_strName;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    void OnOK() override;
};
