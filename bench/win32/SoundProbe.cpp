// Plays "clash.wav" through the Win32 back end's sound as crashes would, printing the wall-clock time (ns since
// 1970) of each play call. Usage: vantrel-sound-probe.exe CRASHES GAP_MS (in a directory holding clash.wav)
#include "Win32Sound.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <thread>

int main(int argc, char** argv)
{
    const int nCrashes = argc > 1 ? std::atoi(argv[1]) : 0;
    const int nGapMs = argc > 2 ? std::atoi(argv[2]) : 0;
    if (nCrashes < 1 || nGapMs < 1) {
        std::fputs("usage: vantrel-sound-probe CRASHES GAP_MS\n", stderr);
        return 2;
    }
    CWin32Sound sound;
    sound.Prepare("clash.wav");
    // The first crash of a game comes at least a second after the window is shown.
    std::this_thread::sleep_for(std::chrono::seconds(1));
    for (int i = 0; i < nCrashes; ++i) {
        const auto now = std::chrono::system_clock::now().time_since_epoch();
        const BOOL bPlayed = sound.PlaySound("clash.wav", SND_FILENAME | SND_ASYNC);
        std::printf("%lld %d\n",
                    static_cast<long long>(std::chrono::duration_cast<std::chrono::nanoseconds>(now).count()), bPlayed);
        std::fflush(stdout);
        std::this_thread::sleep_for(std::chrono::milliseconds(nGapMs));
    }
    return 0;
}
