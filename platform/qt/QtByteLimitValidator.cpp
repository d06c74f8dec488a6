// Byte-limited, code page 932-only edit input without control characters.
#include "QtByteLimitValidator.h"

#include "QtText.h"

#include <optional>
#include <string>
#include <vector>

namespace {

constexpr char32_t FIRST_PRINTABLE = 0x20;
constexpr char32_t DELETE = 0x7F;

// How many code page 932 bytes the character at `at` (one or two UTF-16
// units) takes in a name: 1 or 2, or 0 when a name cannot hold it.
qsizetype NameBytes(const QString& text, qsizetype at, qsizetype nUnits)
{
    const char32_t code =
        text[at].isHighSurrogate() && nUnits == 2 ? QChar::surrogateToUcs4(text[at], text[at + 1]) : text[at].unicode();
    // A lone half of a surrogate pair (a paste the box's length limit cut) would be saved as "?".
    if (code < FIRST_PRINTABLE || code == DELETE || QChar::isSurrogate(code))
        return 0;
    const std::optional<std::string> bytes = ToCp932(text.mid(at, nUnits));
    return bytes ? qsizetype(bytes->size()) : 0;
}

qsizetype UnitsAt(const QString& text, qsizetype at)
{
    return text[at].isHighSurrogate() && at + 1 < text.size() && text[at + 1].isLowSurrogate() ? 2 : 1;
}

} // namespace

CQtByteLimitValidator::CQtByteLimitValidator(QObject* pParent) : QValidator(pParent)
{
}

QValidator::State CQtByteLimitValidator::validate(QString& input, int& pos) const
{
    // The text before the change was valid, so whatever is dropped here came
    // with the change.
    QString kept;
    std::vector<qsizetype> bytesOf; // per character of kept, with its units
    std::vector<qsizetype> unitsOf;
    qsizetype nBytes = 0;
    int nPos = pos;
    bool bRefused = false;
    for (qsizetype at = 0; at < input.size();) {
        const qsizetype nUnits = UnitsAt(input, at);
        const qsizetype nCharBytes = NameBytes(input, at, nUnits);
        if (nCharBytes == 0) {
            bRefused = true;
            if (at < pos)
                nPos -= int(nUnits);
        } else {
            kept += input.mid(at, nUnits);
            bytesOf.push_back(nCharBytes);
            unitsOf.push_back(nUnits);
            nBytes += nCharBytes;
        }
        at += nUnits;
    }
    // Too long: drop the characters just before the cursor until it fits.
    qsizetype nChar = 0;
    for (qsizetype at = 0; at < nPos; at += unitsOf[std::size_t(nChar)], ++nChar) {
    }
    while (m_nLimit > 0 && nBytes > m_nLimit && nChar > 0) {
        --nChar;
        const qsizetype nUnits = unitsOf[std::size_t(nChar)];
        nPos -= int(nUnits);
        kept.remove(nPos, nUnits);
        nBytes -= bytesOf[std::size_t(nChar)];
        bRefused = true;
    }
    if (bRefused)
        emit Refused();
    input = kept;
    pos = nPos;
    return m_nLimit <= 0 || nBytes <= m_nLimit ? Acceptable : Invalid;
}
