// Code page 932 (Shift-JIS) to and from UTF-8, used only where text leaves the game for the desktop.
#pragma once

#include <optional>
#include <string>
#include <string_view>

// Every byte sequence converts; an invalid or incomplete sequence becomes U+FFFD.
std::string Cp932ToUtf8(std::string_view bytes);
// The code page 932 bytes of the text, or nothing when a character has no
// code page 932 form (or the UTF-8 is malformed).
std::optional<std::string> Utf8ToCp932(std::string_view utf8);
