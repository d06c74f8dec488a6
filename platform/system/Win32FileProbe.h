// What a file name leads to on Windows, and text between UTF-8 and the system's wide characters.
#pragma once

#include <string>

// A name as the file layer sees it before opening.
enum class EFileKind {
    Missing,      // nothing there, or nothing that can be looked at
    Regular,      // a file, directly or through a link
    Directory,    // a folder, or a link or junction to one
    DanglingLink, // a link whose target is missing
    Device,       // a device name (NUL, CON, COM1, \\.\...)
};

// The game's names are UTF-8; bytes that are not are read in the system's code page.
std::wstring WidenUtf8(const std::string& str);
std::string NarrowUtf8(const std::wstring& wstr);

// Looks without opening a device or pipe and without following a link into creation.
EFileKind ProbeFileName(const std::wstring& wstrName);
// Whether an open descriptor is a file on disk rather than a device or pipe.
bool IsDiskFile(int fd);
// The system's text for a Windows error code, in UTF-8, without the final full stop.
std::string SystemErrorText(unsigned long nError);
