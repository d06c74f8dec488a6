// The game's code page 932 texts as Qt strings, and typed Qt strings back as code page 932 bytes.
#pragma once

#include <QString>

#include <optional>
#include <string>
#include <string_view>

// Every byte sequence converts; an invalid sequence shows as U+FFFD.
QString FromCp932(std::string_view text);
// The text's code page 932 bytes, or nothing when a character has no code page 932 form.
std::optional<std::string> ToCp932(const QString& text);
