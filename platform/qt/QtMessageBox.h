// The game's message boxes: modal over their owner, code page 932 texts, Ctrl+C copies them.
#pragma once

#include "WinTypes.h"

#include <QMessageBox>

#include <string_view>

class QKeyEvent;

class CQtMessageBox : public QMessageBox {
public:
    // nType: MB_OK or MB_OKCANCEL, with at most one of the MB_ICON flags.
    // A text of three lines or more is a table (the ranking) and is shown in
    // a fixed-width font so that its columns line up; shorter texts use the
    // desktop's font.
    CQtMessageBox(QWidget* pOwner, std::string_view text, std::string_view caption, UINT nType);

    // Shows the box and waits: IDOK for OK; IDCANCEL for Cancel, Escape or
    // the close box of an OK/Cancel box (which in an OK-only box mean OK).
    // IDCANCEL, without the box being shown, once Cancel has been called.
    int Run();
    // Its owner is gone: the box ends as cancelled, or, still waiting to be
    // placed, is never shown.
    void Cancel();

    // What Ctrl+C puts on the clipboard: caption, text and buttons between
    // dashed lines, as desktop message boxes commonly copy themselves. The
    // text is whole even where the box shows a long word shortened.
    QString ClipboardText() const;

protected:
    bool event(QEvent* pEvent) override;
    void showEvent(QShowEvent* pEvent) override;
    void keyPressEvent(QKeyEvent* pEvent) override;

private:
    // At least as wide as the caption needs.
    void FitCaption();
    void UseFixedWidthFont();

    QString m_text;
    QPushButton* m_pOK;
    QPushButton* m_pCancel = nullptr;
    bool m_bCancelled = false;
};
