// Byte-limited, code page 932-only edit input without control characters.
#pragma once

#include <QValidator>

class CQtByteLimitValidator : public QValidator {
    Q_OBJECT

public:
    explicit CQtByteLimitValidator(QObject* pParent);

    // The most bytes the text may take in code page 932; 0 for no limit.
    void SetLimit(int nBytes) { m_nLimit = nBytes; }

    // Drops from a change every character the name cannot hold: control
    // characters (they would split the ranking report's lines) and whatever
    // code page 932 cannot represent. A change that then makes the text too
    // long is cut back from the cursor: the characters just typed or pasted
    // go first, so a paste keeps what fits and a keystroke past the limit
    // does nothing. Emits Refused() whenever something was dropped.
    State validate(QString& input, int& pos) const override;

signals:
    void Refused() const;

private:
    int m_nLimit = 0;
};
