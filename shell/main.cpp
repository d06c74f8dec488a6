// Entry point of the game: answers --help and --version, refuses other arguments, else hands over to the application.
#include "File.h"
#include "WinApp.h"

#include <cstdio>
#include <cstring>

namespace {

constexpr const char* USAGE = "Usage: vantrel [--help | --version]\n"
                              "Starts the game. The ranking is kept in rank.vtd in the current directory;\n"
                              "the crash sound clash.wav is taken from there, else from the installed data.\n";

} // namespace

int main(int argc, char** argv)
{
    // Options are answered before the window system starts, so nothing is opened or written.
    if (argc == 2 && std::strcmp(argv[1], "--help") == 0) {
        std::fputs(USAGE, stdout);
        return 0;
    }
    if (argc == 2 && std::strcmp(argv[1], "--version") == 0) {
        std::puts("vantrel " VANTREL_VERSION);
        return 0;
    }
    if (argc > 1) {
        std::fprintf(stderr, "vantrel: unknown argument '%s'\n", argv[1]);
        std::fputs(USAGE, stderr);
        return 2;
    }
    // From the start, not only from the first save: any write of the game's
    // (a message to a redirected stderr included) fails rather than ending it.
    CFile::IgnoreWriteSignals();
    return AfxWinMain(argc, argv);
}
