// Asynchronous playback of one wave file prepared off the GUI thread, with the desktop's beep as fallback.
#pragma once

#include "Sound.h"

#include <QString>

#include <memory>

class QThread;

class CQtSound : public ISound {
public:
    // Sound files larger than this are refused: a wave is read whole into memory.
    static constexpr qint64 MAX_SOUND_BYTES = qint64{8} << 20;

    CQtSound() = default;
    CQtSound(const CQtSound&) = delete;
    CQtSound& operator=(const CQtSound&) = delete;
    // Never waits on a thread stuck in the audio library: such a thread is left to the end of the process.
    ~CQtSound() override;

    // On a thread of its own (found, checked, loaded, the audio device opened). Once per sound; again only after a
    // preparation that failed.
    void Prepare(const char* pszSound) override;
    // SND_FILENAME: starts the prepared wave file and returns at once. A sound that is not ready (still being
    // prepared, missing, too large, unplayable, no audio output) beeps instead and returns FALSE.
    BOOL PlaySound(const char* pszSound, UINT fdwSound) override;
    // The prepared sound can be played now.
    bool IsReady() const;

    // Where a sound named by a bare file name is looked for: the working directory, then the installed game's data
    // directory found from the executable's directory strAppDir (strAppDir/../share/games/vantrel). Empty when found in
    // neither.
    static QString FindSoundFile(const QString& strName, const QString& strAppDir);

    struct CShared;

private:
    QString m_strName;
    std::shared_ptr<CShared> m_pShared;
    QThread* m_pThread = nullptr;
};
