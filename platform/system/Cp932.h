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
// Text from the system (a path, an error's wording) in the file system's encoding, UTF-8, as code page 932 for a
// box: a character that code page 932 cannot hold, or a byte that is not UTF-8, becomes "?", as in a path that the
// system passes to a program in a code page.
std::string SystemTextToCp932(std::string_view text);
