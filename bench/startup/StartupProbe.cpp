// Starts a window program on an X display and reports when its first frame reached the screen and its peak memory.
//
// Usage: vantrel-startup-probe SETTLE_MS PROGRAM [ARGUMENT...]
// Prints "frame_ms T rss_kb M cpu_ms C": T is the time from just before the
// program was started to the first grab of its client area that already
// showed the picture it settled on (no drawing for SETTLE_MS, and not a single
// colour); M is its peak resident memory over that time and the quiet time
// after it, and C the processor time it used then, which a busy machine
// disturbs less than T.
// The program is not changed or told anything: the probe only watches the
// screen.
#include "ScreenWatch.h"

#include <algorithm>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

// A program that shows nothing settled by then has failed to start.
constexpr int START_TIMEOUT_MS = 30000;

struct Sample {
    double dMs;
    std::uint64_t nHash;
};

double MsSince(Clock::time_point start)
{
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

double MsOf(const timeval& time)
{
    return double(time.tv_sec) * 1000.0 + double(time.tv_usec) / 1000.0;
}

// Leaves an exited program to be reaped, with its resource usage, by wait4.
bool HasExited(pid_t pid)
{
    siginfo_t info{};
    return waitid(P_PID, id_t(pid), &info, WEXITED | WNOHANG | WNOWAIT) == 0 && info.si_pid == pid;
}

// Grabs after every drawing until the picture has stayed the same, painted,
// for nSettleMs. Empty when the program did not get there.
std::vector<Sample> WatchUntilSettled(CScreenWatch& watch, pid_t pid, Clock::time_point start, int nSettleMs)
{
    std::vector<Sample> samples;
    bool bPainted = false;
    while (MsSince(start) < START_TIMEOUT_MS) {
        if (!watch.WaitForDrawing(bPainted ? nSettleMs : 100)) {
            if (bPainted)
                return samples;
            if (HasExited(pid))
                break;
            continue;
        }
        if (const std::optional<CScreenWatch::Grab> grab = watch.GrabClient()) {
            samples.push_back({MsSince(start), grab->nHash});
            bPainted = !grab->bUniform;
        }
    }
    return {};
}

// The settled picture is the last one grabbed; samples is not empty.
double FirstFrameMs(const std::vector<Sample>& samples)
{
    const std::uint64_t nSettled = samples.back().nHash;
    return std::find_if(samples.begin(), samples.end(),
                        [nSettled](const Sample& sample) { return sample.nHash == nSettled; })
        ->dMs;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc < 3) {
        std::fprintf(stderr, "usage: %s SETTLE_MS PROGRAM [ARGUMENT...]\n", argv[0]);
        return 2;
    }
    const int nSettleMs = std::atoi(argv[1]);
    CScreenWatch watch;
    if (!watch.IsOpen()) {
        std::fprintf(stderr, "%s: no X display with the damage extension\n", argv[0]);
        return 1;
    }
    const Clock::time_point start = Clock::now();
    const pid_t pid = fork();
    if (pid == 0) {
        execvp(argv[2], argv + 2);
        _exit(127);
    }
    const std::vector<Sample> samples = WatchUntilSettled(watch, pid, start, nSettleMs);
    kill(pid, SIGTERM);
    int nStatus = 0;
    rusage usage{};
    wait4(pid, &nStatus, 0, &usage);
    if (samples.empty()) {
        std::fprintf(stderr, "%s: %s showed no settled picture\n", argv[0], argv[2]);
        return 1;
    }
    std::printf("frame_ms %.1f rss_kb %ld cpu_ms %.1f\n", FirstFrameMs(samples), usage.ru_maxrss,
                MsOf(usage.ru_utime) + MsOf(usage.ru_stime));
    return 0;
}
