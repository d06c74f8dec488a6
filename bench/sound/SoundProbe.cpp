// Plays "clash.wav" through the game's sound code as crashes would, printing the wall-clock time of each play call.
// Usage: vantrel-sound-probe CRASHES GAP_MS (in a directory holding clash.wav)
#include "QtSound.h"

#include <QApplication>
#include <QDeadlineTimer>
#include <QEventLoop>
#include <QTimer>

#include <chrono>
#include <cstdio>
#include <cstdlib>

namespace {

// How long the sound may take to get ready, as after the game's window has been shown.
constexpr int READY_TIMEOUT_MS = 10000;
// The first crash of a game comes at least this long after the window is shown.
constexpr int FIRST_CRASH_AFTER_MS = 1000;

// Runs the event loop for nMs milliseconds, as the game's loop runs between crashes.
void Wait(int nMs)
{
    QEventLoop loop;
    QTimer::singleShot(nMs, &loop, &QEventLoop::quit);
    loop.exec();
}

} // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    const int nCrashes = argc > 1 ? std::atoi(argv[1]) : 0;
    const int nGapMs = argc > 2 ? std::atoi(argv[2]) : 0;
    if (nCrashes < 1 || nGapMs < 1) {
        std::fputs("usage: vantrel-sound-probe CRASHES GAP_MS\n", stderr);
        return 2;
    }
    CQtSound sound;
    sound.Prepare("clash.wav");
    const QDeadlineTimer deadline(READY_TIMEOUT_MS);
    while (!sound.IsReady() && !deadline.hasExpired())
        Wait(1);
    if (!sound.IsReady()) {
        std::fputs("the crash sound did not get ready\n", stderr);
        return 1;
    }
    Wait(FIRST_CRASH_AFTER_MS);
    for (int i = 0; i < nCrashes; ++i) {
        const auto now = std::chrono::system_clock::now().time_since_epoch();
        const BOOL bPlayed = sound.PlaySound("clash.wav", SND_FILENAME | SND_ASYNC);
        std::printf("%lld %d\n",
                    static_cast<long long>(std::chrono::duration_cast<std::chrono::nanoseconds>(now).count()), bPlayed);
        std::fflush(stdout);
        Wait(nGapMs);
    }
    return 0;
}
