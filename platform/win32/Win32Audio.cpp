// Playing the crash sound: PlaySoundW in the background, the system alert when there is nothing to play.
#include "Win32Audio.h"

#include "Win32Text.h"

#include <windows.h>

#include <mmsystem.h>

#include <cstring>

namespace {

// A RIFF file of form WAVE: "RIFF", its size, "WAVE".
constexpr DWORD WAVE_HEADER_BYTES = 12;

bool IsWaveFile(const std::wstring& path)
{
    const DWORD dwAttributes = GetFileAttributesW(path.c_str());
    if (dwAttributes == INVALID_FILE_ATTRIBUTES || (dwAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0)
        return false;
    HANDLE hFile = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                               FILE_ATTRIBUTE_NORMAL, nullptr);
    if (hFile == INVALID_HANDLE_VALUE)
        return false;
    char header[WAVE_HEADER_BYTES] = {};
    DWORD dwRead = 0;
    const bool bWave = GetFileType(hFile) == FILE_TYPE_DISK &&
                       ReadFile(hFile, header, sizeof header, &dwRead, nullptr) && dwRead == sizeof header &&
                       std::memcmp(header, "RIFF", 4) == 0 && std::memcmp(header + 8, "WAVE", 4) == 0;
    CloseHandle(hFile);
    return bWave;
}

std::wstring FullPath(const std::wstring& path)
{
    std::wstring full(MAX_PATH, L'\0');
    const DWORD nLength = GetFullPathNameW(path.c_str(), DWORD(full.size()), full.data(), nullptr);
    if (nLength == 0 || nLength >= full.size())
        return path;
    full.resize(nLength);
    return full;
}

std::wstring ProgramFolder()
{
    std::wstring path(MAX_PATH, L'\0');
    const DWORD nLength = GetModuleFileNameW(nullptr, path.data(), DWORD(path.size()));
    path.resize(nLength < path.size() ? nLength : 0);
    const std::size_t nSlash = path.find_last_of(L"\\/");
    return nSlash == std::wstring::npos ? std::wstring() : path.substr(0, nSlash + 1);
}

} // namespace

std::wstring FindWaveFile(std::string_view name)
{
    const std::wstring wideName = WideFromCp932(name);
    for (const std::wstring& path : {FullPath(wideName), ProgramFolder() + wideName}) {
        if (IsWaveFile(path))
            return path;
    }
    return {};
}

void PlayWaveFile(const std::wstring& path)
{
    // SND_NODEFAULT: a failure is answered here, once, rather than also by Windows' default sound.
    if (path.empty() || !PlaySoundW(path.c_str(), nullptr, SND_ASYNC | SND_FILENAME | SND_NODEFAULT))
        PlayAlert();
}

void PlayAlert()
{
    MessageBeep(MB_OK);
}

void OpenAudioOutput()
{
    // The crash sound's own format; any format loads the same drivers.
    WAVEFORMATEX format{WAVE_FORMAT_PCM, 1, 11025, 22050, 2, 16, 0};
    HWAVEOUT hWaveOut = nullptr;
    if (waveOutOpen(&hWaveOut, WAVE_MAPPER, &format, 0, 0, CALLBACK_NULL) == MMSYSERR_NOERROR)
        waveOutClose(hWaveOut);
}
