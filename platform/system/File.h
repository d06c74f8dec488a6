// Binary file access by relative or absolute name, as the ranking file needs it.
#pragma once

#include "FileException.h"
#include "WinTypes.h"

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

    // modeRead opens an existing file for reading; modeWrite | modeCreate |
    // modeNoTruncate opens for writing, creating the file (mode 0644 before
    // the umask) when missing and never shortening it. Either way the name
    // must lead to a regular file, directly or through links: anything else
    // (a directory, a named pipe, a device, a socket) is refused without
    // waiting, with EISDIR for a directory and ENXIO otherwise. Returns FALSE
    // when the file cannot be opened and, given pError, stores the cause
    // there; never raises.
    BOOL Open(const char* lpszFileName, UINT nOpenFlags, CFileException* pError = nullptr);
    // Reads up to nCount bytes, fewer only at the end of the file, and returns
    // how many were read. Raises CFileException when reading fails.
    UINT Read(void* lpBuf, UINT nCount);
    // Writes all nCount bytes or raises CFileException (a full disk, an I/O
    // error, the file-size limit). Calls IgnoreWriteSignals first.
    void Write(const void* lpBuf, UINT nCount);
    // Raises CFileException when closing reports an error. Closing a file
    // that is not open does nothing.
    void Close();

    // Writing past the file-size limit raises SIGXFSZ, and into a pipe whose
    // reader left SIGPIPE; either would end the process in the middle of a
    // write. Ignored from here on, they make the write fail with EFBIG or
    // EPIPE instead, which is raised like any other write error.
    static void IgnoreWriteSignals();

private:
    [[noreturn]] void Fail(int nOsError) const;

    int m_fd = -1;
    std::string m_strFileName;
};
