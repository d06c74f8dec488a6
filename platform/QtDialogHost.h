// A dialog template brought to the screen as a Qt dialog, bound to its CDialog while it runs.
#pragma once

#include "DialogHost.h"

#include <QDialog>

#include <map>

class CDialog;
struct ResControl;
struct ResDialog;

class CQtDialogHost : public QDialog, public IDialogHost {
public:
    // Builds the template's controls at their positions, converting dialog
    // units with the template's font; modal over pOwner and centred on it.
    CQtDialogHost(CDialog& dlg, const ResDialog& res, QWidget* pOwner);
    ~CQtDialogHost() override;

    // Binds the dialog, runs OnInitDialog (focus to the first tab stop when
    // it returns TRUE), shows the dialog and waits until EndDialog; returns
    // its result.
    INT_PTR Run();

    std::string GetDlgItemText(int nID) override;
    void SetDlgItemText(int nID, std::string_view text) override;
    LRESULT SendDlgItemMessage(int nID, UINT message, WPARAM wParam, LPARAM lParam) override;
    void EndDialog(int nResult) override;

    // The OK button and Enter go to CDialog::OnOK; Escape and the close box to OnCancel.
    void accept() override;
    void reject() override;

protected:
    void showEvent(QShowEvent* pEvent) override;

private:
    QWidget* CreateControl(const ResControl& control);
    QWidget* FindControl(int nID) const;

    CDialog& m_dlg;
    std::map<int, QWidget*> m_controls; // by id; static controls (-1) are not kept
    QWidget* m_pFirstTabStop = nullptr;
    bool m_bEnded = false;
    int m_nResult = 0;
};
