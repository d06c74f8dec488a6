// Code page 932 and UTF-16: the tables give UTF-8, which Windows converts to and from UTF-16 on its own.
#include "Win32Text.h"

#include "Cp932.h"

#include <windows.h>

std::wstring WideFromCp932(std::string_view bytes)
{
    const std::string utf8 = Cp932ToUtf8(bytes);
    const int nUnits = MultiByteToWideChar(CP_UTF8, 0, utf8.data(), int(utf8.size()), nullptr, 0);
    std::wstring text(std::size_t(nUnits), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, utf8.data(), int(utf8.size()), text.data(), nUnits);
    return text;
}

std::optional<std::string> Cp932FromWide(std::wstring_view text)
{
    // A lone half of a surrogate pair has no UTF-8 form: the conversion fails rather than writing U+FFFD.
    const int nBytes =
        WideCharToMultiByte(CP_UTF8, WC_ERR_INVALID_CHARS, text.data(), int(text.size()), nullptr, 0, nullptr, nullptr);
    if (nBytes == 0 && !text.empty())
        return std::nullopt;
    std::string utf8(std::size_t(nBytes), '\0');
    WideCharToMultiByte(CP_UTF8, WC_ERR_INVALID_CHARS, text.data(), int(text.size()), utf8.data(), nBytes, nullptr,
                        nullptr);
    return Utf8ToCp932(utf8);
}
