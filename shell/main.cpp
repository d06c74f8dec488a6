// Entry point of the game: answers --help and --version, refuses other arguments, else hands over to the application.
#include "CGameApp.h"
#include "DataFolder.h"
#include "File.h"

#include <cstdio>
#include <cstring>

namespace {

constexpr const char* USAGE = "Usage: vantrel [--data-home | --help | --version]\n";
constexpr const char* OPTIONS[] = {"--data-home", "--help", "--version"};

bool IsOption(const char* pszArg)
{
    for (const char* pszOption : OPTIONS) {
        if (std::strcmp(pszArg, pszOption) == 0)
            return true;
    }
    return false;
}

// Refuses the command line: names the first argument that is not an option, else the option after the first.
int Refuse(int argc, char** argv)
{
    int nBad = 1;
    while (nBad < argc && IsOption(argv[nBad]))
        ++nBad;
    if (nBad == argc)
        std::fprintf(stderr, "vantrel: '%s' cannot be given with '%s'\n", argv[2], argv[1]);
    else
        std::fprintf(stderr, "vantrel: unknown argument '%s'\n", argv[nBad]);
    std::fputs(USAGE, stderr);
    std::fputs(DataFolderUsage(), stderr);
    return 2;
}

} // namespace

int main(int argc, char** argv)
{
    // Options are answered before the window system starts, so nothing is opened or written.
    if (argc > 2 || (argc == 2 && !IsOption(argv[1])))
        return Refuse(argc, argv);
    if (argc == 2 && std::strcmp(argv[1], "--help") == 0) {
        std::fputs(USAGE, stdout);
        std::fputs(DataFolderUsage(), stdout);
        return 0;
    }
    if (argc == 2 && std::strcmp(argv[1], "--version") == 0) {
        std::puts("vantrel " VANTREL_VERSION);
        return 0;
    }
    if (argc == 2) {
        theApp.m_strFolderProblem = EnterDataFolder();
        if (!theApp.m_strFolderProblem.empty())
            std::fprintf(stderr, "vantrel: %s\n", theApp.m_strFolderProblem.c_str());
    }
    // From the start, not only from the first save: any write of the game's
    // (a message to a redirected stderr included) fails rather than ending it.
    CFile::IgnoreWriteSignals();
    return AfxWinMain(argc, argv);
}
