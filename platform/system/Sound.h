// Sound playback: a wave file named by path, started without waiting for it.
// Every back end keeps the rules in platform/framework/BACKEND.md (modal loops, nested timer and paint, destruction).
#pragma once

#include "WinTypes.h"

class ISound {
public:
    virtual ~ISound() = default;
    // Gets the wave file ready without waiting for it (found, loaded, the audio
    // output opened), so that playing it later starts at once; returns at once.
    virtual void Prepare(const char* pszSound) = 0;
    // SND_FILENAME | SND_ASYNC: starts the wave file and returns at once; a
    // missing or unplayable file gives the desktop's default alert sound.
    virtual BOOL PlaySound(const char* pszSound, UINT fdwSound) = 0;
};
