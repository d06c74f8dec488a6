// Binary file access by relative or absolute name, as the ranking file needs it.
#pragma once

#include "WinTypes.h"

#include <cstddef>
#include <string>

class CFile {
public:
    // Open modes, combinable.
    static constexpr UINT modeRead = 0x0000;
    static constexpr UINT modeWrite = 0x0001;
    static constexpr UINT modeCreate = 0x1000;
    static constexpr UINT modeNoTruncate = 0x2000;

    CFile() = default;
    CFile(const CFile&) = delete;
    CFile& operator=(const CFile&) = delete;
    // Closes a file still open without raising.
    ~CFile();

    // modeRead opens an existing file for reading. modeWrite | modeCreate |
    // modeNoTruncate opens for writing, creating the file when missing and
    // never shortening it. FALSE when the file cannot be opened; never raises.
    BOOL Open(const char* lpszFileName, UINT nOpenFlags);
    // Reads up to nCount bytes; returns how many were read (0 on failure).
    UINT Read(void* lpBuf, UINT nCount);
    // Writes all nCount bytes or raises CFileException.
    void Write(const void* lpBuf, UINT nCount);
    // Raises CFileException when closing reports an error (a full disk, say).
    void Close();

private:
    int m_fd = -1;
    std::string m_strFileName;
};
