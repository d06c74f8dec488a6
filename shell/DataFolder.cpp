// The per-user data folder: chosen by the XDG rules, made if missing, with a temporary folder when it cannot be.
#include "DataFolder.h"

#include <array>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <pwd.h>
#include <unistd.h>

namespace {

constexpr const char* DATA_SUBFOLDER = "/vantrel";
constexpr const char* DEFAULT_DATA_HOME = "/.local/share";
constexpr const char* FALLBACK_TEMPLATE = "/vantrel-XXXXXX";
constexpr std::size_t PASSWD_BUFFER_SIZE = 16384;

// An absolute path from the environment, else empty: the XDG rules ignore relative ones.
std::string AbsoluteEnv(const char* pszName)
{
    const char* pszValue = std::getenv(pszName);
    return pszValue != nullptr && pszValue[0] == '/' ? pszValue : "";
}

// The home folder of the user's account, for a session without HOME; empty when unknown.
std::string UserHome()
{
    passwd entry{};
    passwd* pEntry = nullptr;
    std::array<char, PASSWD_BUFFER_SIZE> buffer{};
    if (getpwuid_r(getuid(), &entry, buffer.data(), buffer.size(), &pEntry) != 0 || pEntry == nullptr ||
        pEntry->pw_dir == nullptr || pEntry->pw_dir[0] != '/')
        return "";
    return pEntry->pw_dir;
}

std::string DataHome()
{
    std::string strDataHome = AbsoluteEnv("XDG_DATA_HOME");
    if (!strDataHome.empty())
        return strDataHome;
    std::string strHome = AbsoluteEnv("HOME");
    if (strHome.empty())
        strHome = UserHome();
    return strHome.empty() ? "" : strHome + DEFAULT_DATA_HOME;
}

// Makes strFolder and enters it; the reason when that fails, else empty.
std::string Enter(const std::string& strFolder)
{
    std::error_code error;
    std::filesystem::create_directories(strFolder, error);
    if (!error && chdir(strFolder.c_str()) != 0)
        error.assign(errno, std::generic_category());
    return error ? error.message() : "";
}

} // namespace

const char* DataFolderUsage()
{
    return "Starts the game. The ranking is kept in rank.vtd in the current directory; with --data-home, as the\n"
           "menu entry starts it, in $XDG_DATA_HOME/vantrel (by default ~/.local/share/vantrel), made if missing.\n"
           "The crash sound clash.wav is taken from the current directory, else from the installed data.\n";
}

std::string EnterDataFolder()
{
    const std::string strDataHome = DataHome();
    std::string strProblem;
    if (strDataHome.empty()) {
        strProblem = "No home folder is set for the ranking.";
    } else {
        const std::string strFolder = strDataHome + DATA_SUBFOLDER;
        const std::string strReason = Enter(strFolder);
        if (strReason.empty())
            return "";
        strProblem = "The ranking folder " + strFolder + " cannot be used (" + strReason + ").";
    }
    std::string strTemplate = AbsoluteEnv("TMPDIR");
    strTemplate = (strTemplate.empty() ? "/tmp" : strTemplate) + FALLBACK_TEMPLATE;
    if (mkdtemp(strTemplate.data()) == nullptr || chdir(strTemplate.c_str()) != 0)
        return strProblem + " The ranking is kept in the current directory.";
    return strProblem + " The ranking of this session is kept in " + strTemplate + ".";
}
