// Code page 932 to and from the wide-character API's UTF-16, through the system layer's own tables (never the
// system's code page).
#pragma once

#include <optional>
#include <string>
#include <string_view>

// Every byte sequence converts; an invalid sequence becomes U+FFFD.
std::wstring WideFromCp932(std::string_view bytes);
// Nothing when a character has no code page 932 form.
std::optional<std::string> Cp932FromWide(std::wstring_view text);
