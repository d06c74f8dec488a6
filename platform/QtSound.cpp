// Plays wave files through Qt Multimedia and beeps when that cannot work.
#include "QtSound.h"

#include <QApplication>
#include <QAudioDevice>
#include <QFile>
#include <QFileInfo>
#include <QMediaDevices>
#include <QSoundEffect>

CQtSound::CQtSound() = default;

CQtSound::~CQtSound() = default;

BOOL CQtSound::Play(const char* pszSound, UINT fdwSound)
{
    const QFileInfo file(pszSound != nullptr ? QFile::decodeName(pszSound) : QString());
    if ((fdwSound & SND_FILENAME) == 0 || !file.isFile() || !file.isReadable() ||
        QMediaDevices::defaultAudioOutput().isNull()) {
        QApplication::beep();
        return FALSE;
    }
    if (m_pEffect == nullptr) {
        m_pEffect = std::make_unique<QSoundEffect>();
        QObject::connect(m_pEffect.get(), &QSoundEffect::statusChanged, [this] { OnStatusChanged(); });
    }
    const QUrl url = QUrl::fromLocalFile(file.absoluteFilePath());
    // A file that failed before may have been replaced: load it again.
    if (m_pEffect->status() == QSoundEffect::Error)
        m_pEffect->setSource(QUrl());
    if (m_pEffect->source() != url)
        m_pEffect->setSource(url);
    if (m_pEffect->status() == QSoundEffect::Ready)
        m_pEffect->play();
    else
        m_bPending = true;
    return TRUE;
}

void CQtSound::OnStatusChanged()
{
    if (!m_bPending)
        return;
    if (m_pEffect->status() == QSoundEffect::Ready) {
        m_bPending = false;
        m_pEffect->play();
    } else if (m_pEffect->status() == QSoundEffect::Error) {
        m_bPending = false;
        QApplication::beep();
    }
}
