// Binary file access on POSIX: open, read, write and close with their failures.
#include "File.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// Permissions of a file the game creates, before the umask.
constexpr mode_t CREATED_FILE_MODE = 0644;

int OpenFlags(UINT nOpenFlags)
{
    // O_NONBLOCK: opening a named pipe must not wait for its other end.
    int flags = O_CLOEXEC | O_NOCTTY | O_NONBLOCK;
    flags |= (nOpenFlags & CFile::modeWrite) ? O_WRONLY : O_RDONLY;
    if (nOpenFlags & CFile::modeCreate) {
        flags |= O_CREAT;
        if (!(nOpenFlags & CFile::modeNoTruncate))
            flags |= O_TRUNC;
    }
    return flags;
}

} // namespace

CFile::~CFile()
{
    if (m_fd >= 0)
        ::close(m_fd);
}

BOOL CFile::Open(const char* lpszFileName, UINT nOpenFlags, CFileException* pError)
{
    if (m_fd >= 0) {
        ::close(m_fd);
        m_fd = -1;
    }
    m_strFileName = lpszFileName;
    int fd;
    do {
        fd = ::open(lpszFileName, OpenFlags(nOpenFlags), CREATED_FILE_MODE);
    } while (fd < 0 && errno == EINTR);
    int nError = fd < 0 ? errno : 0;
    if (fd >= 0 && !(nOpenFlags & modeWrite)) {
        // Only a regular file has a definite end: a pipe or a device could
        // keep a reader waiting, and a directory cannot be read as bytes.
        struct stat st {};
        if (::fstat(fd, &st) != 0)
            nError = errno;
        else if (!S_ISREG(st.st_mode))
            nError = CFileException::notRegularFile;
        if (nError != 0)
            ::close(fd);
    }
    if (nError != 0) {
        if (pError)
            *pError = CFileException(m_strFileName, nError);
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
        ssize_t n = ::read(m_fd, p + nDone, nCount - nDone);
        if (n < 0 && errno == EINTR)
            continue;
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
        ssize_t n = ::write(m_fd, p + nDone, nCount - nDone);
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0)
            Fail(errno);
        // A write that makes no progress means the device is full.
        if (n == 0)
            Fail(ENOSPC);
        nDone += UINT(n);
    }
}

void CFile::Close()
{
    if (m_fd < 0)
        return;
    int fd = m_fd;
    m_fd = -1;
    // Linux releases the descriptor even when close is interrupted, so it is
    // never retried; an interruption is not a failure of the data.
    if (::close(fd) != 0 && errno != EINTR)
        Fail(errno);
}

void CFile::Fail(int nOsError) const
{
    throw CFileException(m_strFileName, nOsError);
}
