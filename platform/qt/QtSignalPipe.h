// The signals that end a session (SIGTERM, SIGHUP, SIGINT) brought into the event loop through a pipe.
#pragma once

#include <QObject>

#include <functional>

class QSocketNotifier;

// One at a time. While it lives, those signals do not end the process: their
// handler only writes a byte to a pipe, and fnSignalled runs in the event loop.
class CQtSignalPipe : public QObject {
public:
    explicit CQtSignalPipe(std::function<void()> fnSignalled);
    CQtSignalPipe(const CQtSignalPipe&) = delete;
    CQtSignalPipe& operator=(const CQtSignalPipe&) = delete;
    ~CQtSignalPipe() override;

private:
    void OnReadable();

    std::function<void()> m_fnSignalled;
    int m_nReadFd = -1;
    QSocketNotifier* m_pNotifier = nullptr;
};
