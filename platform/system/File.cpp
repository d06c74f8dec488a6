// Binary file access on POSIX: open, read, write and close with their failures.
#include "File.h"

#include <cerrno>
#include <csignal>
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

int OpenRetrying(const char* lpszFileName, int flags)
{
    int fd = -1;
    do {
        fd = ::open(lpszFileName, flags, CREATED_FILE_MODE);
    } while (fd < 0 && errno == EINTR);
    return fd;
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
    // Looked at before opening, so that opening has no effect on a device or
    // a pipe, and again on the opened file, which may have been swapped.
    struct stat st {};
    bool bNotRegular = ::stat(lpszFileName, &st) == 0 && !S_ISREG(st.st_mode);
    int nError = 0;
    int fd = -1;
    bool bDanglingLink = false;
    if (!bNotRegular) {
        const int flags = OpenFlags(nOpenFlags);
        // An existing file is opened, through a link if need be; a new one is
        // made only where nothing is: O_EXCL fails on any link, so that a
        // link to a missing file never has its target made.
        fd = OpenRetrying(lpszFileName, flags & ~O_CREAT);
        if (fd < 0 && errno == ENOENT && (flags & O_CREAT) != 0) {
            fd = OpenRetrying(lpszFileName, flags | O_EXCL);
            // Either a file made meanwhile, which is opened, or a link.
            if (fd < 0 && errno == EEXIST) {
                fd = OpenRetrying(lpszFileName, flags & ~O_CREAT);
                bDanglingLink = fd < 0 && errno == ENOENT;
            }
        }
        if (fd < 0 || ::fstat(fd, &st) != 0)
            nError = errno;
        else
            bNotRegular = !S_ISREG(st.st_mode);
    }
    // The errors open itself gives for a directory and for a pipe without a reader.
    if (bNotRegular)
        nError = S_ISDIR(st.st_mode) ? EISDIR : ENXIO;
    if (nError != 0) {
        if (fd >= 0)
            ::close(fd);
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
    IgnoreWriteSignals();
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

// Done once per process; a handler someone installed is kept.
void CFile::IgnoreWriteSignals()
{
    static const bool bDone = [] {
        for (int nSignal : {SIGPIPE, SIGXFSZ}) {
            struct sigaction old {};
            if (::sigaction(nSignal, nullptr, &old) == 0 && !(old.sa_flags & SA_SIGINFO) && old.sa_handler == SIG_DFL)
                std::signal(nSignal, SIG_IGN);
        }
        return true;
    }();
    (void)bDone;
}

void CFile::Fail(int nOsError) const
{
    throw CFileException(m_strFileName, nOsError);
}
