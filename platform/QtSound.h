// Asynchronous playback of wave files, with the desktop's beep as fallback.
#pragma once

#include "WinTypes.h"

#include <QUrl>

#include <memory>

class QSoundEffect;

class CQtSound {
public:
    CQtSound();
    CQtSound(const CQtSound&) = delete;
    CQtSound& operator=(const CQtSound&) = delete;
    ~CQtSound();

    // SND_FILENAME: starts the wave file pszSound (relative to the current
    // directory) and returns at once; playback is always asynchronous. A
    // missing or unplayable file, or no audio output, beeps instead.
    // FALSE when it beeped at once.
    BOOL Play(const char* pszSound, UINT fdwSound);

private:
    void OnStatusChanged();

    // One effect for the whole run, made on first use: loading the audio
    // back end is slow, and it is only needed once a sound is wanted.
    std::unique_ptr<QSoundEffect> m_pEffect;
    // A play was asked for while the file was still loading.
    bool m_bPending = false;
};
