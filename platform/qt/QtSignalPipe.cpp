// Ending signals as events: an async-signal-safe handler writes to a pipe the event loop watches.
#include "QtSignalPipe.h"

#include <QSocketNotifier>

#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <unistd.h>

namespace {

constexpr int ENDING_SIGNALS[] = {SIGTERM, SIGHUP, SIGINT};

volatile std::sig_atomic_t g_nWriteFd = -1;

void OnEndingSignal(int)
{
    const int nSavedErrno = errno;
    const char byte = 0;
    // A full pipe already holds a wake-up: the byte may be dropped.
    [[maybe_unused]] const ssize_t nWritten = write(g_nWriteFd, &byte, 1);
    errno = nSavedErrno;
}

void SetHandler(void (*pfnHandler)(int))
{
    struct sigaction action = {};
    action.sa_handler = pfnHandler;
    action.sa_flags = SA_RESTART;
    sigemptyset(&action.sa_mask);
    for (const int nSignal : ENDING_SIGNALS)
        sigaction(nSignal, &action, nullptr);
}

} // namespace

CQtSignalPipe::CQtSignalPipe(std::function<void()> fnSignalled) : m_fnSignalled(std::move(fnSignalled))
{
    int fds[2];
    // Without a pipe the signals keep their default action: the process ends as it would have.
    if (pipe2(fds, O_CLOEXEC | O_NONBLOCK) != 0)
        return;
    m_nReadFd = fds[0];
    g_nWriteFd = fds[1];
    m_pNotifier = new QSocketNotifier(m_nReadFd, QSocketNotifier::Read, this);
    connect(m_pNotifier, &QSocketNotifier::activated, this, [this] { OnReadable(); });
    SetHandler(OnEndingSignal);
}

CQtSignalPipe::~CQtSignalPipe()
{
    if (m_nReadFd < 0)
        return;
    SetHandler(SIG_DFL);
    delete m_pNotifier;
    close(g_nWriteFd);
    g_nWriteFd = -1;
    close(m_nReadFd);
}

void CQtSignalPipe::OnReadable()
{
    char buffer[64];
    while (read(m_nReadFd, buffer, sizeof buffer) > 0) {
    }
    m_fnSignalled();
}
