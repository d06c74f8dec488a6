// Plays a wave file through Qt Multimedia's audio output from a thread of its own, and beeps when that cannot work.
#include "QtSound.h"

#include <QApplication>
#include <QAudioDevice>
#include <QAudioFormat>
#include <QAudioSink>
#include <QBuffer>
#include <QDir>
#include <QEventLoop>
#include <QFile>
#include <QFileInfo>
#include <QMediaDevices>
#include <QThread>
#include <QTimer>
#include <QtEndian>

#include <algorithm>
#include <atomic>
#include <optional>
#include <vector>

namespace {

enum : int { STATE_PREPARING, STATE_READY, STATE_FAILED };

// The RIFF WAVE layout: "RIFF", a length, "WAVE", then chunks; "fmt " holds at least 16 bytes.
constexpr qint64 WAVE_HEADER_BYTES = 12;
constexpr qint64 CHUNK_HEADER_BYTES = 8;
constexpr qint64 FMT_BYTES = 16;
constexpr int WAVE_FORMAT_PCM = 1;
constexpr int MAX_CHANNELS = 8;
// The silence that sets the audio output up before the first crash, and how long it may take.
constexpr qint64 WARM_UP_US = 20000;
constexpr int WARM_UP_TIMEOUT_MS = 2000;
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
    // Lives on the sound thread; set before the state becomes STATE_READY. Its Play slot, queued, plays the sound.
    QObject* pPlayer = nullptr;
};

namespace {

// A PCM wave read whole: how its samples are laid out, and the samples.
struct CWave {
    QAudioFormat format;
    QByteArray samples;
};

// Reads a RIFF WAVE file of linear PCM (8, 16 or 32 bits) no larger than MAX_SOUND_BYTES.
std::optional<CWave> ReadWave(const QString& strPath)
{
    // Not a regular file (a pipe would block the read, a device never ends) or too big to read whole.
    const QFileInfo info(strPath);
    QFile file(strPath);
    if (strPath.isEmpty() || !info.isFile() || info.size() > CQtSound::MAX_SOUND_BYTES ||
        !file.open(QIODevice::ReadOnly))
        return std::nullopt;
    const QByteArray bytes = file.read(CQtSound::MAX_SOUND_BYTES + 1);
    if (bytes.size() < WAVE_HEADER_BYTES || bytes.size() > CQtSound::MAX_SOUND_BYTES || !bytes.startsWith("RIFF") ||
        bytes.mid(8, 4) != "WAVE")
        return std::nullopt;
    CWave wave;
    int nTag = 0;
    int nBits = 0;
    // Chunks: a four-letter id, a 32-bit length, the body padded to an even length.
    for (qint64 nPos = WAVE_HEADER_BYTES; nPos + CHUNK_HEADER_BYTES <= bytes.size();) {
        const char* pChunk = bytes.constData() + nPos;
        const qint64 nLength = qFromLittleEndian<quint32>(pChunk + 4);
        const qint64 nBody = nPos + CHUNK_HEADER_BYTES;
        if (QByteArrayView(pChunk, 4) == "fmt " && nLength >= FMT_BYTES && nBody + FMT_BYTES <= bytes.size()) {
            nTag = qFromLittleEndian<quint16>(pChunk + 8);
            wave.format.setChannelCount(qFromLittleEndian<quint16>(pChunk + 10));
            wave.format.setSampleRate(static_cast<int>(qFromLittleEndian<quint32>(pChunk + 12)));
            nBits = qFromLittleEndian<quint16>(pChunk + 22);
        } else if (QByteArrayView(pChunk, 4) == "data") {
            wave.samples = bytes.mid(nBody, std::min(nLength, bytes.size() - nBody));
        }
        nPos = nBody + nLength + (nLength & 1);
    }
    const QAudioFormat::SampleFormat sampleFormat = nBits == 8    ? QAudioFormat::UInt8
                                                    : nBits == 16 ? QAudioFormat::Int16
                                                    : nBits == 32 ? QAudioFormat::Int32
                                                                  : QAudioFormat::Unknown;
    wave.format.setSampleFormat(sampleFormat);
    if (nTag != WAVE_FORMAT_PCM || !wave.format.isValid() || wave.format.channelCount() > MAX_CHANNELS ||
        wave.samples.isEmpty())
        return std::nullopt;
    return wave;
}

} // namespace

// Plays the wave on the sound thread, from its start each time.
class CSoundPlayer : public QObject {
    Q_OBJECT
public:
    CSoundPlayer(QAudioDevice device, const QAudioFormat& format, const QByteArray& samples)
        : m_device(std::move(device)), m_format(format)
    {
        m_buffer.setData(samples);
    }

public slots:
    // A crash during the previous sound starts it again. A new output each time: Qt's PulseAudio output does not
    // always start again once stopped.
    void Play()
    {
        m_pSink.reset();
        m_buffer.close();
        m_buffer.open(QIODevice::ReadOnly);
        m_pSink = std::make_unique<QAudioSink>(m_device, m_format);
        m_pSink->start(&m_buffer);
    }

private:
    QAudioDevice m_device;
    QAudioFormat m_format;
    QBuffer m_buffer;
    std::unique_ptr<QAudioSink> m_pSink;
};

namespace {

// Finds and reads the wave and opens the audio device; once ready, runs an event loop that plays the wave on
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
        const std::optional<CWave> wave = ReadWave(CQtSound::FindSoundFile(m_strName, m_strAppDir));
        if (!wave) {
            m_pShared->nState.store(STATE_FAILED);
            return;
        }
        // The look-up that waits on the audio server, for as long as the server takes to answer.
        const QAudioDevice device = QMediaDevices::defaultAudioOutput();
        if (device.isNull() || !device.isFormatSupported(wave->format)) {
            m_pShared->nState.store(STATE_FAILED);
            return;
        }
        WarmUp(device, wave->format);
        CSoundPlayer player(device, wave->format, wave->samples);
        // cppcheck-suppress danglingLifetime ; used only while the state is STATE_READY, reset before player goes
        m_pShared->pPlayer = &player;
        m_pShared->nState.store(STATE_READY);
        exec();
        m_pShared->nState.store(STATE_FAILED);
        m_pShared->pPlayer = nullptr;
    }

private:
    // Plays a moment of silence and waits for it to end (within a bound), so that the output's first stream has
    // been set up before the first crash: its sound then starts as soon as later ones.
    static void WarmUp(const QAudioDevice& device, const QAudioFormat& format)
    {
        const char cSilence = format.sampleFormat() == QAudioFormat::UInt8 ? '\x80' : '\0';
        QByteArray samples(format.bytesForDuration(WARM_UP_US), cSilence);
        QBuffer silence(&samples);
        silence.open(QIODevice::ReadOnly);
        QAudioSink sink(device, format);
        QEventLoop loop;
        QObject::connect(&sink, &QAudioSink::stateChanged, &loop, [&loop](QAudio::State state) {
            if (state == QAudio::IdleState || state == QAudio::StoppedState)
                loop.quit();
        });
        QTimer timeout;
        timeout.setSingleShot(true);
        QObject::connect(&timeout, &QTimer::timeout, &loop, &QEventLoop::quit);
        timeout.start(WARM_UP_TIMEOUT_MS);
        sink.start(&silence);
        loop.exec();
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

BOOL CQtSound::PlaySound(const char* pszSound, UINT fdwSound)
{
    if ((fdwSound & SND_FILENAME) != 0 && pszSound != nullptr) {
        if (IsReady() && QFile::decodeName(pszSound) == m_strName) {
            QMetaObject::invokeMethod(m_pShared->pPlayer, "Play", Qt::QueuedConnection);
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

#include "QtSound.moc"
