// The sound interface over PlaySoundW.
#pragma once

#include "Sound.h"

#include <map>
#include <string>

class CWin32Sound : public ISound {
public:
    // Finds the file once (working directory, then beside the program) and checks that it is a wave file; the
    // first time, the audio output is opened in the background, which the first play would otherwise wait for.
    void Prepare(const char* pszSound) override;
    // Starts it in the background; a file not found or not a wave file gives the system's alert sound.
    BOOL PlaySound(const char* pszSound, UINT fdwSound) override;

private:
    std::map<std::string, std::wstring> m_paths; // by name; empty when there is nothing to play
    bool m_bOutputOpened = false;
};
