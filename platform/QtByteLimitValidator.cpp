// Byte-limited, code page 932-only edit input.
#include "QtByteLimitValidator.h"

#include "Cp932.h"

#include <optional>
#include <string>

namespace {

// How many code page 932 bytes a character takes: 1 or 2. Every character
// code page 932 has lies in the basic plane, so it is one UTF-16 unit.
qsizetype Cp932Length(QChar character)
{
    const std::optional<std::string> bytes = Utf8ToCp932(QString(character).toStdString());
    return bytes ? qsizetype(bytes->size()) : 0;
}

} // namespace

CQtByteLimitValidator::CQtByteLimitValidator(QObject* pParent) : QValidator(pParent)
{
}

QValidator::State CQtByteLimitValidator::validate(QString& input, int& pos) const
{
    const std::optional<std::string> bytes = Utf8ToCp932(input.toStdString());
    if (!bytes)
        return Invalid;
    qsizetype nExcess = qsizetype(bytes->size()) - m_nLimit;
    if (m_nLimit <= 0 || nExcess <= 0)
        return Acceptable;
    while (nExcess > 0 && pos > 0) {
        --pos;
        nExcess -= Cp932Length(input[pos]);
        input.remove(pos, 1);
    }
    return nExcess <= 0 ? Acceptable : Invalid;
}
