// Sound in the page: wave files decoded once with Web Audio, started without waiting.
#pragma once

#include "Sound.h"

// A file that is missing or cannot be decoded, or a page without audio (or
// not yet allowed to play), plays nothing: a page has no alert sound.
class CWebSound : public ISound {
public:
    void Prepare(const char* pszSound) override;
    BOOL PlaySound(const char* pszSound, UINT fdwSound) override;
};
