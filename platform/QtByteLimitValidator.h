// Keeps an edit box's text within a byte limit of code page 932 text.
#pragma once

#include <QValidator>

class CQtByteLimitValidator : public QValidator {
    Q_OBJECT

public:
    explicit CQtByteLimitValidator(QObject* pParent);

    // The most bytes the text may take in code page 932; 0 for no limit.
    void SetLimit(int nBytes) { m_nLimit = nBytes; }
    int GetLimit() const { return m_nLimit; }

    // Refuses a change that brings in a character code page 932 cannot
    // represent. A change that makes the text too long is cut back: the
    // characters just before the cursor, the ones typed or pasted, are
    // dropped until the text fits, so a paste keeps what fits and a
    // keystroke past the limit does nothing.
    State validate(QString& input, int& pos) const override;

private:
    int m_nLimit = 0;
};
