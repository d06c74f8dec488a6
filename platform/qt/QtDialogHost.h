// A dialog template brought to the screen as a Qt dialog; its buttons go to the window bound to it.
#pragma once

#include "DialogHost.h"

#include <QDialog>

#include <map>

class CWnd;
struct ResControl;
struct ResDialog;

class CQtDialogHost : public QDialog, public IDialogHost {
public:
    // Builds the template's controls at their positions, converting dialog
    // units with the template's font; modal over pOwner and centred on it.
    CQtDialogHost(const ResDialog& res, QWidget* pOwner);
    ~CQtDialogHost() override;

    void Attach(CWnd* pWnd) override;
    std::string GetDlgItemText(int nID) override;
    void SetDlgItemText(int nID, std::string_view text) override;
    LRESULT SendDlgItemMessage(int nID, UINT message, WPARAM wParam, LPARAM lParam) override;
    void FocusFirstTabStop() override;
    // Waits until EndDialog, then hides the dialog and hands the activation back.
    INT_PTR RunModalLoop() override;
    void EndDialog(int nResult) override;

    // The OK button and Enter send IDOK to the bound window; Escape and the close box IDCANCEL.
    void accept() override;
    void reject() override;

protected:
    void showEvent(QShowEvent* pEvent) override;

private:
    QWidget* CreateControl(const ResControl& control);
    QWidget* FindControl(int nID) const;

    void SendCommand(int nID);

    CWnd* m_pWnd = nullptr;
    std::map<int, QWidget*> m_controls; // by id; static controls (-1) are not kept
    QWidget* m_pFirstTabStop = nullptr;
    bool m_bEnded = false;
    int m_nResult = 0;
};
