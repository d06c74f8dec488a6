// Asynchronous playback of one wave file kept in the desktop sound server's sample cache, with the desktop's beep as
// fallback.
#pragma once

#include "Sound.h"

#include <QString>

#include <memory>

class CQtSound : public ISound {
public:
    // Sound files larger than this are refused: a wave is read whole into memory.
    static constexpr qint64 MAX_SOUND_BYTES = qint64{8} << 20;
    // Sample rates outside these bounds are refused, in Hz.
    static constexpr int MIN_RATE = 1000, MAX_RATE = 192000;

    CQtSound() = default;
    CQtSound(const CQtSound&) = delete;
    CQtSound& operator=(const CQtSound&) = delete;
    // Tells the sound thread to end and never waits for it: a thread stuck on the sound server is left to the end
    // of the process.
    ~CQtSound() override;

    // On a thread of its own: found, checked, decoded, the server connected within a bound and the sound uploaded
    // to its sample cache. Once per sound; again only after a preparation that failed.
    void Prepare(const char* pszSound) override;
    // SND_FILENAME: asks the server to play the prepared sound and returns at once. A sound still being prepared
    // plays once ready; after a preparation that failed the sound is prepared again and then plays. A file that
    // was missing or unplayable at the last try beeps instead and returns FALSE.
    BOOL PlaySound(const char* pszSound, UINT fdwSound) override;
    // The prepared sound can be played now.
    bool IsReady() const;

    // Where a sound named by a bare file name is looked for: a non-empty regular file in the working directory, then in
    // the installed game's data directory found from the executable's directory strAppDir
    // (strAppDir/../share/games/vantrel). Empty when found in neither.
    static QString FindSoundFile(const QString& strName, const QString& strAppDir);

    // Called before any thread starts. A sound-server client configuration named by PULSE_CLIENTCONFIG that is not a
    // regular file (a device such as /dev/zero) would be read without end, a core busy for the whole session: it is
    // set aside, and the usual configuration files are read instead.
    static void SetAsideIrregularClientConfig();

    struct CShared;

private:
    void Start(const QString& strName, bool bPlay);

    QString m_strName;
    std::shared_ptr<CShared> m_pShared;
};
