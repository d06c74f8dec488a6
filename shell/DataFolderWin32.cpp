// The per-user data folder on Windows: %LOCALAPPDATA%\Vantrel, made if missing, with a temporary folder when it
// cannot be.
#include "DataFolder.h"
#include "Win32FileProbe.h"

#include <random>
#include <shlobj.h>
#include <windows.h>

namespace {

constexpr const wchar_t* DATA_SUBFOLDER = L"\\Vantrel";
constexpr const wchar_t* FALLBACK_PREFIX = L"vantrel-";
constexpr int FALLBACK_ATTEMPTS = 100;

// A drive-rooted or network path; a relative one would depend on where the game was started.
bool IsAbsolute(const std::wstring& wstrPath)
{
    return (wstrPath.size() >= 3 && wstrPath[1] == L':' && (wstrPath[2] == L'\\' || wstrPath[2] == L'/')) ||
           wstrPath.rfind(L"\\\\", 0) == 0;
}

// The environment's folder, else the one the user's profile names; empty when neither is absolute.
std::wstring LocalAppData()
{
    const wchar_t* pszValue = _wgetenv(L"LOCALAPPDATA");
    if (pszValue != nullptr && IsAbsolute(pszValue))
        return pszValue;
    wchar_t szPath[MAX_PATH] = {};
    if (SHGetFolderPathW(nullptr, CSIDL_LOCAL_APPDATA, nullptr, SHGFP_TYPE_CURRENT, szPath) == S_OK &&
        IsAbsolute(szPath))
        return szPath;
    return L"";
}

// Makes wstrFolder with its parents and enters it; the reason when that fails, else empty.
std::string Enter(const std::wstring& wstrFolder)
{
    const int nMade = SHCreateDirectoryExW(nullptr, wstrFolder.c_str(), nullptr);
    if (nMade != ERROR_SUCCESS && nMade != ERROR_ALREADY_EXISTS && nMade != ERROR_FILE_EXISTS)
        return SystemErrorText(DWORD(nMade));
    return SetCurrentDirectoryW(wstrFolder.c_str()) ? "" : SystemErrorText(GetLastError());
}

// A new folder of the user's own under the temporary folder, entered; empty when none could be made.
std::wstring EnterNewTemporaryFolder()
{
    wchar_t szTemp[MAX_PATH + 1] = {};
    if (GetTempPathW(MAX_PATH + 1, szTemp) == 0)
        return L"";
    std::random_device device;
    for (int i = 0; i < FALLBACK_ATTEMPTS; ++i) {
        wchar_t szSuffix[16] = {};
        swprintf(szSuffix, 16, L"%06x", unsigned(device()) & 0xFFFFFFu);
        const std::wstring wstrFolder = std::wstring(szTemp) + FALLBACK_PREFIX + szSuffix;
        if (CreateDirectoryW(wstrFolder.c_str(), nullptr))
            return SetCurrentDirectoryW(wstrFolder.c_str()) ? wstrFolder : L"";
        if (GetLastError() != ERROR_ALREADY_EXISTS)
            return L"";
    }
    return L"";
}

} // namespace

const char* DataFolderUsage()
{
    return "Starts the game. The ranking is kept in rank.vtd in the current directory; with --data-home, as the\n"
           "Start-menu entry starts it, in %LOCALAPPDATA%\\Vantrel, made if missing.\n"
           "The crash sound clash.wav is taken from the current directory, else from the program's folder.\n";
}

std::string EnterDataFolder()
{
    const std::wstring wstrDataHome = LocalAppData();
    std::string strProblem;
    if (wstrDataHome.empty()) {
        strProblem = "No local application data folder is set for the ranking.";
    } else {
        const std::wstring wstrFolder = wstrDataHome + DATA_SUBFOLDER;
        const std::string strReason = Enter(wstrFolder);
        if (strReason.empty())
            return "";
        strProblem = "The ranking folder " + NarrowUtf8(wstrFolder) + " cannot be used (" + strReason + ").";
    }
    const std::wstring wstrTemporary = EnterNewTemporaryFolder();
    if (wstrTemporary.empty())
        return strProblem + " The ranking is kept in the current directory.";
    return strProblem + " The ranking of this session is kept in " + NarrowUtf8(wstrTemporary) + ".";
}
