// File names looked at through the Windows API; the system layer's only file with <windows.h>.
#include "Win32FileProbe.h"

#include <io.h>
#include <windows.h>

namespace {

std::wstring Widen(const std::string& str, UINT nCodePage, DWORD dwFlags)
{
    const int n = MultiByteToWideChar(nCodePage, dwFlags, str.data(), int(str.size()), nullptr, 0);
    std::wstring wstr(std::size_t(n > 0 ? n : 0), L'\0');
    if (n > 0)
        MultiByteToWideChar(nCodePage, dwFlags, str.data(), int(str.size()), wstr.data(), n);
    return wstr;
}

// A name Windows resolves into the device namespace, such as NUL or COM1.
bool IsDeviceName(const std::wstring& wstrName)
{
    std::wstring wstrFull(MAX_PATH, L'\0');
    DWORD n = GetFullPathNameW(wstrName.c_str(), DWORD(wstrFull.size()), wstrFull.data(), nullptr);
    if (n >= wstrFull.size()) {
        wstrFull.resize(n);
        n = GetFullPathNameW(wstrName.c_str(), DWORD(wstrFull.size()), wstrFull.data(), nullptr);
    }
    return n >= 4 && wstrFull.compare(0, 4, L"\\\\.\\") == 0;
}

// The kind of a link's target, opened without access rights, which reads no data.
EFileKind LinkTargetKind(const std::wstring& wstrName)
{
    HANDLE h = CreateFileW(wstrName.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                           OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    if (h == INVALID_HANDLE_VALUE) {
        const DWORD dwError = GetLastError();
        return dwError == ERROR_FILE_NOT_FOUND || dwError == ERROR_PATH_NOT_FOUND ? EFileKind::DanglingLink
                                                                                  : EFileKind::Missing;
    }
    BY_HANDLE_FILE_INFORMATION info{};
    EFileKind kind = EFileKind::Device;
    if (GetFileType(h) == FILE_TYPE_DISK && GetFileInformationByHandle(h, &info))
        kind = (info.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) ? EFileKind::Directory : EFileKind::Regular;
    CloseHandle(h);
    return kind;
}

} // namespace

std::wstring WidenUtf8(const std::string& str)
{
    if (str.empty())
        return {};
    std::wstring wstr = Widen(str, CP_UTF8, MB_ERR_INVALID_CHARS);
    return wstr.empty() ? Widen(str, CP_ACP, 0) : wstr;
}

std::string NarrowUtf8(const std::wstring& wstr)
{
    const int n = WideCharToMultiByte(CP_UTF8, 0, wstr.data(), int(wstr.size()), nullptr, 0, nullptr, nullptr);
    std::string str(std::size_t(n > 0 ? n : 0), '\0');
    if (n > 0)
        WideCharToMultiByte(CP_UTF8, 0, wstr.data(), int(wstr.size()), str.data(), n, nullptr, nullptr);
    return str;
}

EFileKind ProbeFileName(const std::wstring& wstrName)
{
    if (IsDeviceName(wstrName))
        return EFileKind::Device;
    const DWORD dwAttributes = GetFileAttributesW(wstrName.c_str());
    if (dwAttributes == INVALID_FILE_ATTRIBUTES)
        return EFileKind::Missing;
    if (dwAttributes & FILE_ATTRIBUTE_DIRECTORY)
        return EFileKind::Directory;
    return (dwAttributes & FILE_ATTRIBUTE_REPARSE_POINT) ? LinkTargetKind(wstrName) : EFileKind::Regular;
}

bool IsDiskFile(int fd)
{
    return GetFileType(reinterpret_cast<HANDLE>(_get_osfhandle(fd))) == FILE_TYPE_DISK;
}

std::string SystemErrorText(unsigned long nError)
{
    wchar_t* pszText = nullptr;
    const DWORD n =
        FormatMessageW(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
                       nullptr, nError, 0, reinterpret_cast<wchar_t*>(&pszText), 0, nullptr);
    std::wstring wstr =
        n > 0 && pszText != nullptr ? std::wstring(pszText, n) : L"Windows error " + std::to_wstring(nError);
    LocalFree(pszText);
    while (!wstr.empty() &&
           (wstr.back() == L'\n' || wstr.back() == L'\r' || wstr.back() == L'.' || wstr.back() == L' '))
        wstr.pop_back();
    return NarrowUtf8(wstr);
}
