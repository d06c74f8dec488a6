// Plays a wave file through Qt Multimedia from a thread of its own, and beeps when that cannot work.
#include "QtSound.h"

#include <QApplication>
#include <QAudioDevice>
#include <QDir>
#include <QEventLoop>
#include <QFileInfo>
#include <QMediaDevices>
#include <QSoundEffect>
#include <QThread>
#include <QTimer>
#include <QUrl>

#include <atomic>
#include <optional>
#include <vector>

namespace {

enum : int { STATE_PREPARING, STATE_READY, STATE_FAILED };

// How long a wave may take to load once the audio device is known.
constexpr int LOAD_TIMEOUT_MS = 5000;
// How long the end of the program waits for an idle sound thread to stop.
constexpr int STOP_WAIT_MS = 500;
// The installed game's data directory, relative to the directory of its executable.
constexpr const char* DATA_DIR_FROM_BIN = "../share/games/vantrel";

// Threads stuck in the audio library when their sound was dropped. They run until the process ends: destroying a
// running QThread aborts, and waiting for one could take as long as the audio server likes. Kept reachable.
std::vector<QThread*>& AbandonedThreads()
{
    static auto* pThreads = new std::vector<QThread*>;
    return *pThreads;
}

} // namespace

struct CQtSound::CShared {
    std::atomic<int> nState{STATE_PREPARING};
    // Lives on the sound thread; set before the state becomes STATE_READY.
    QSoundEffect* pEffect = nullptr;
};

namespace {

// Finds, checks and loads the wave and opens the audio device; once ready, runs an event loop that plays it on
// request until told to quit.
class CSoundThread : public QThread {
public:
    CSoundThread(std::shared_ptr<CQtSound::CShared> pShared, QString strName, QString strAppDir)
        : m_pShared(std::move(pShared)), m_strName(std::move(strName)), m_strAppDir(std::move(strAppDir))
    {
    }

protected:
    void run() override
    {
        std::optional<QSoundEffect> effect;
        if (Load(effect)) {
            m_pShared->pEffect = &*effect;
            m_pShared->nState.store(STATE_READY);
            exec();
            m_pShared->nState.store(STATE_FAILED);
            m_pShared->pEffect = nullptr;
        } else {
            effect.reset();
            m_pShared->nState.store(STATE_FAILED);
        }
    }

private:
    bool Load(std::optional<QSoundEffect>& effect)
    {
        const QString strPath = CQtSound::FindSoundFile(m_strName, m_strAppDir);
        // Not a regular file (a pipe would block the read, a device never ends) or too big to read whole.
        const QFileInfo file(strPath);
        if (strPath.isEmpty() || !file.isFile() || !file.isReadable() || file.size() > CQtSound::MAX_SOUND_BYTES)
            return false;
        // The look-up that waits on the audio server, for as long as the server takes to answer.
        if (QMediaDevices::defaultAudioOutput().isNull())
            return false;
        effect.emplace();
        QEventLoop loop;
        QObject::connect(&*effect, &QSoundEffect::statusChanged, &loop, [&] {
            if (effect->status() == QSoundEffect::Ready || effect->status() == QSoundEffect::Error)
                loop.quit();
        });
        QTimer::singleShot(LOAD_TIMEOUT_MS, &loop, &QEventLoop::quit);
        effect->setSource(QUrl::fromLocalFile(file.absoluteFilePath()));
        if (effect->status() == QSoundEffect::Loading)
            loop.exec();
        return effect->status() == QSoundEffect::Ready;
    }

    std::shared_ptr<CQtSound::CShared> m_pShared;
    QString m_strName;
    QString m_strAppDir;
};

} // namespace

CQtSound::~CQtSound()
{
    if (m_pThread == nullptr)
        return;
    if (m_pShared->nState.load() != STATE_PREPARING) {
        m_pThread->quit();
        if (m_pThread->wait(QDeadlineTimer(STOP_WAIT_MS))) {
            delete m_pThread;
            return;
        }
    }
    AbandonedThreads().push_back(m_pThread);
}

void CQtSound::Prepare(const char* pszSound)
{
    if (pszSound == nullptr)
        return;
    if (m_pThread != nullptr) {
        // Once ready, or while a thread still works on it (or is stuck in the audio library), nothing to do.
        if (m_pShared->nState.load() != STATE_FAILED || !m_pThread->isFinished())
            return;
        delete m_pThread;
        m_pThread = nullptr;
    }
    m_strName = QFile::decodeName(pszSound);
    m_pShared = std::make_shared<CShared>();
    m_pThread = new CSoundThread(m_pShared, m_strName, QCoreApplication::applicationDirPath());
    m_pThread->start(QThread::LowPriority);
}

BOOL CQtSound::Play(const char* pszSound, UINT fdwSound)
{
    if ((fdwSound & SND_FILENAME) != 0 && pszSound != nullptr) {
        if (IsReady() && QFile::decodeName(pszSound) == m_strName) {
            QSoundEffect* pEffect = m_pShared->pEffect;
            QMetaObject::invokeMethod(
                pEffect, [pEffect] { pEffect->play(); }, Qt::QueuedConnection);
            return TRUE;
        }
        // Not ready this time: perhaps for the next one (a sound never asked for, or a file put in place since).
        if (m_pThread == nullptr || m_pShared->nState.load() == STATE_FAILED)
            Prepare(pszSound);
    }
    QApplication::beep();
    return FALSE;
}

bool CQtSound::IsReady() const
{
    return m_pShared != nullptr && m_pShared->nState.load() == STATE_READY;
}

QString CQtSound::FindSoundFile(const QString& strName, const QString& strAppDir)
{
    if (QFileInfo::exists(strName))
        return strName;
    if (QDir::isAbsolutePath(strName) || strAppDir.isEmpty())
        return {};
    const QString strInstalled = QDir(strAppDir).filePath(QString::fromLatin1(DATA_DIR_FROM_BIN) + '/' + strName);
    return QFileInfo::exists(strInstalled) ? QDir::cleanPath(strInstalled) : QString();
}
