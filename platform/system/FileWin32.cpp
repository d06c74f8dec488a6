// Binary file access on Windows: the same rules as on POSIX over msvcrt's descriptors in binary mode.
#include "File.h"
#include "Win32FileProbe.h"

#include <cerrno>
#include <fcntl.h>
#include <io.h>
#include <sys/stat.h>

namespace {

// msvcrt opens in text mode unless told otherwise, which would turn each 0x0A written into 0x0D 0x0A.
int OpenFlags(UINT nOpenFlags)
{
    int flags = O_BINARY | O_NOINHERIT;
    flags |= (nOpenFlags & CFile::modeWrite) ? O_WRONLY : O_RDONLY;
    if ((nOpenFlags & CFile::modeCreate) && !(nOpenFlags & CFile::modeNoTruncate))
        flags |= O_TRUNC;
    return flags;
}

int OpenExisting(const std::wstring& wstrName, int flags)
{
    return ::_wopen(wstrName.c_str(), flags);
}

// Made only where nothing is: O_EXCL fails on any name that is taken, a link included.
int OpenNew(const std::wstring& wstrName, int flags)
{
    return ::_wopen(wstrName.c_str(), flags | O_CREAT | O_EXCL, _S_IREAD | _S_IWRITE);
}

} // namespace

CFile::~CFile()
{
    if (m_fd >= 0)
        ::_close(m_fd);
}

BOOL CFile::Open(const char* lpszFileName, UINT nOpenFlags, CFileException* pError)
{
    if (m_fd >= 0) {
        ::_close(m_fd);
        m_fd = -1;
    }
    m_strFileName = lpszFileName;
    const std::wstring wstrName = WidenUtf8(m_strFileName);
    const bool bCreate = (nOpenFlags & CFile::modeCreate) != 0;
    // Looked at before opening, so that opening has no effect on a device or
    // a pipe, and again on the opened file, which may have been swapped.
    const EFileKind kind = ProbeFileName(wstrName);
    bool bNotRegular = kind == EFileKind::Directory || kind == EFileKind::Device;
    bool bDanglingLink = bCreate && kind == EFileKind::DanglingLink;
    int nError = bDanglingLink ? ENOENT : 0;
    int fd = -1;
    if (!bNotRegular && !bDanglingLink) {
        const int flags = OpenFlags(nOpenFlags);
        fd = OpenExisting(wstrName, flags);
        if (fd < 0 && errno == ENOENT && bCreate) {
            fd = OpenNew(wstrName, flags);
            // Either a file made meanwhile, which is opened, or a link.
            if (fd < 0 && errno == EEXIST) {
                fd = OpenExisting(wstrName, flags);
                bDanglingLink = fd < 0 && errno == ENOENT;
            }
        }
        if (fd < 0)
            nError = errno;
        else
            bNotRegular = !IsDiskFile(fd);
    }
    if (bNotRegular)
        nError = kind == EFileKind::Directory ? EISDIR : ENXIO;
    if (nError != 0) {
        if (fd >= 0)
            ::_close(fd);
        if (pError)
            *pError = CFileException(m_strFileName, nError,
                                     bNotRegular     ? "not a regular file"
                                     : bDanglingLink ? "a link to a missing file"
                                                     : "");
        return FALSE;
    }
    m_fd = fd;
    return TRUE;
}

UINT CFile::Read(void* lpBuf, UINT nCount)
{
    if (m_fd < 0)
        Fail(EBADF);
    auto* p = static_cast<char*>(lpBuf);
    UINT nDone = 0;
    while (nDone < nCount) {
        const int n = ::_read(m_fd, p + nDone, nCount - nDone);
        if (n < 0)
            Fail(errno);
        if (n == 0)
            break;
        nDone += UINT(n);
    }
    return nDone;
}

void CFile::Write(const void* lpBuf, UINT nCount)
{
    if (m_fd < 0)
        Fail(EBADF);
    const auto* p = static_cast<const char*>(lpBuf);
    UINT nDone = 0;
    while (nDone < nCount) {
        const int n = ::_write(m_fd, p + nDone, nCount - nDone);
        if (n < 0)
            Fail(errno);
        // A write that makes no progress means the disk is full.
        if (n == 0)
            Fail(ENOSPC);
        nDone += UINT(n);
    }
}

void CFile::Close()
{
    if (m_fd < 0)
        return;
    const int fd = m_fd;
    m_fd = -1;
    if (::_close(fd) != 0)
        Fail(errno);
}

// Windows raises no signal for a failed write: it fails with an error code, which Write raises.
void CFile::IgnoreWriteSignals()
{
}

void CFile::Fail(int nOsError) const
{
    throw CFileException(m_strFileName, nOsError);
}
