// The sound interface over PlaySoundW.
#pragma once

#include "Sound.h"

#include <map>
#include <string>
#include <thread>

class CWin32Sound : public ISound {
public:
    CWin32Sound() = default;
    CWin32Sound(const CWin32Sound&) = delete;
    CWin32Sound& operator=(const CWin32Sound&) = delete;
    ~CWin32Sound() override;

    // Finds the file once (working directory, then beside the program) and checks that it is a wave file; the
    // first time, the audio output is opened in the background, which the first play would otherwise wait for.
    void Prepare(const char* pszSound) override;
    // Starts it in the background; a file not found or not a wave file gives the system's alert sound.
    BOOL PlaySound(const char* pszSound, UINT fdwSound) override;

private:
    std::map<std::string, std::wstring> m_paths; // by name; empty when there is nothing to play
    std::thread m_opener;
};
