// Code page 932 to and from Qt strings, through the one conversion of the system layer.
#include "QtText.h"

#include "Cp932.h"

QString FromCp932(std::string_view text)
{
    return QString::fromStdString(Cp932ToUtf8(text));
}

std::optional<std::string> ToCp932(const QString& text)
{
    return Utf8ToCp932(text.toStdString());
}
