// Plays a wave file through the desktop's PulseAudio server: a thread of its own decodes it, uploads it into the
// server's sample cache, then plays it on request with one message to the server each time.
#include "QtSound.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <pulse/context.h>
#include <pulse/mainloop.h>
#include <pulse/scache.h>
#include <pulse/stream.h>
#include <sndfile.h>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <atomic>
#include <chrono>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <system_error>
#include <thread>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

enum : int { STATE_PREPARING, STATE_READY, STATE_NO_FILE, STATE_NO_SERVER };

// The server's sample cache takes no larger entry.
constexpr std::size_t MAX_DECODED_BYTES = std::size_t{16} << 20;
// Frames decoded at a time.
constexpr sf_count_t READ_CHUNK_FRAMES = 4096;
// Connecting to the server and uploading the sound, or the preparation gives up.
constexpr auto PREPARE_TIMEOUT = std::chrono::seconds(3);
// A sound asked for before it was ready plays once ready, unless it would no longer go with its crash.
constexpr auto PLAY_LATE_BOUND = std::chrono::seconds(1);
// The installed game's data directory, relative to the directory of its executable.
constexpr const char* DATA_DIR_FROM_BIN = "../share/games/vantrel";
constexpr const char* CLIENT_NAME = "Vantrel";
constexpr const char* CLIENT_CONFIG_VARIABLE = "PULSE_CLIENTCONFIG";

std::int64_t Ticks()
{
    return Clock::now().time_since_epoch().count();
}

// A decoded wave in the layout the server is given.
struct CWave {
    pa_sample_spec format{};
    std::vector<std::int16_t> samples;
};

bool ReadSamples(SNDFILE* pFile, const SF_INFO& info, CWave& wave)
{
    if (info.samplerate < CQtSound::MIN_RATE || info.samplerate > CQtSound::MAX_RATE || info.channels < 1 ||
        info.channels > static_cast<int>(PA_CHANNELS_MAX) || info.frames <= 0 ||
        static_cast<std::uint64_t>(info.frames) * info.channels > MAX_DECODED_BYTES / sizeof(std::int16_t))
        return false;
    // Read as floating point, which libsndfile scales alike from every layout, then clipped to 16 bits.
    wave.samples.reserve(static_cast<std::size_t>(info.frames * info.channels));
    std::vector<float> chunk(static_cast<std::size_t>(READ_CHUNK_FRAMES * info.channels));
    sf_count_t nFrames = 0;
    while ((nFrames = sf_readf_float(pFile, chunk.data(), READ_CHUNK_FRAMES)) > 0) {
        for (auto it = chunk.begin(); it != chunk.begin() + nFrames * info.channels; ++it)
            wave.samples.push_back(static_cast<std::int16_t>(std::lrint(std::clamp(*it, -1.0F, 1.0F) * INT16_MAX)));
    }
    if (wave.samples.empty())
        return false;
    wave.format = {PA_SAMPLE_S16NE, static_cast<std::uint32_t>(info.samplerate),
                   static_cast<std::uint8_t>(info.channels)};
    return pa_sample_spec_valid(&wave.format) != 0;
}

// Decodes a regular file (a pipe would block the read, a device never end) of at most MAX_SOUND_BYTES whole.
bool Decode(const QString& strPath, CWave& wave)
{
    if (strPath.isEmpty())
        return false;
    const int nFd = open(QFile::encodeName(strPath).constData(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (nFd < 0)
        return false;
    struct stat status {};
    bool bDecoded = false;
    if (fstat(nFd, &status) == 0 && S_ISREG(status.st_mode) && status.st_size <= CQtSound::MAX_SOUND_BYTES) {
        SF_INFO info{};
        if (SNDFILE* pFile = sf_open_fd(nFd, SFM_READ, &info, SF_FALSE)) {
            bDecoded = ReadSamples(pFile, info, wave);
            sf_close(pFile);
        }
    }
    close(nFd);
    return bDecoded;
}

// The name of the sound in the server's cache, shared by every game playing the same sound.
std::string SampleName(const CWave& wave)
{
    const std::string_view bytes(reinterpret_cast<const char*>(wave.samples.data()),
                                 wave.samples.size() * sizeof(std::int16_t));
    return "vantrel-" + std::to_string(wave.format.rate) + "-" + std::to_string(wave.format.channels) + "-" +
           std::to_string(std::hash<std::string_view>{}(bytes));
}

} // namespace

// Between the GUI thread and one sound thread; each preparation has its own.
struct CQtSound::CShared {
    CShared()
    {
        if (pipe2(fdWake.data(), O_NONBLOCK | O_CLOEXEC) != 0)
            fdWake = {-1, -1};
    }
    CShared(const CShared&) = delete;
    CShared& operator=(const CShared&) = delete;
    ~CShared()
    {
        for (const int nFd : fdWake) {
            if (nFd >= 0)
                close(nFd);
        }
    }
    // Wakes the sound thread's loop to look at bStop and nPlayAt; never blocks.
    void Wake() const
    {
        if (fdWake[1] >= 0)
            static_cast<void>(write(fdWake[1], "w", 1));
    }

    std::atomic<int> nState{STATE_PREPARING};
    std::atomic<bool> bStop{false};
    // When the latest request to play, not yet passed to the server, was made (Ticks); 0 when there is none.
    std::atomic<std::int64_t> nPlayAt{0};
    std::array<int, 2> fdWake{};
};

namespace {

// The sound thread's connection to the server, on a main loop of its own that a request wakes through a pipe: the
// GUI thread never takes a lock that the library holds.
class CSession {
public:
    explicit CSession(CQtSound::CShared& shared)
        : m_shared(shared), m_pLoop(pa_mainloop_new()), m_pApi(pa_mainloop_get_api(m_pLoop)),
          m_pWake(m_pApi->io_new(m_pApi, shared.fdWake[0], PA_IO_EVENT_INPUT, Drain, nullptr)),
          m_pContext(pa_context_new(m_pApi, CLIENT_NAME))
    {
    }
    CSession(const CSession&) = delete;
    CSession& operator=(const CSession&) = delete;
    // Closes the connection without waiting on the server.
    ~CSession()
    {
        if (m_pStream != nullptr)
            pa_stream_unref(m_pStream);
        if (m_pContext != nullptr) {
            pa_context_disconnect(m_pContext);
            pa_context_unref(m_pContext);
        }
        m_pApi->io_free(m_pWake);
        pa_mainloop_free(m_pLoop);
    }

    // Connects and uploads the wave into the server's sample cache as strSample, within PREPARE_TIMEOUT.
    bool Upload(const CWave& wave, const std::string& strSample)
    {
        const Clock::time_point deadline = Clock::now() + PREPARE_TIMEOUT;
        if (m_pContext == nullptr || pa_context_connect(m_pContext, nullptr, PA_CONTEXT_NOAUTOSPAWN, nullptr) < 0 ||
            !RunUntil(deadline, [this] { return pa_context_get_state(m_pContext) == PA_CONTEXT_READY; }))
            return false;
        pa_channel_map map;
        pa_channel_map_init_extend(&map, wave.format.channels, PA_CHANNEL_MAP_DEFAULT);
        const std::size_t nBytes = wave.samples.size() * sizeof(std::int16_t);
        m_pStream = pa_stream_new(m_pContext, strSample.c_str(), &wave.format, &map);
        if (m_pStream == nullptr || pa_stream_connect_upload(m_pStream, nBytes) < 0 ||
            !RunUntil(deadline, [this] { return pa_stream_get_state(m_pStream) == PA_STREAM_READY; }))
            return false;
        return pa_stream_write(m_pStream, wave.samples.data(), nBytes, nullptr, 0, PA_SEEK_RELATIVE) == 0 &&
               pa_stream_finish_upload(m_pStream) == 0 &&
               RunUntil(deadline, [this] { return pa_stream_get_state(m_pStream) == PA_STREAM_TERMINATED; });
    }

    // Plays the cached sound at each request until told to stop or the server is lost.
    void Serve(const std::string& strSample)
    {
        while (!m_shared.bStop.load() && PA_CONTEXT_IS_GOOD(pa_context_get_state(m_pContext))) {
            const std::int64_t nAt = m_shared.nPlayAt.exchange(0);
            if (nAt != 0 && Clock::duration(Ticks() - nAt) < PLAY_LATE_BOUND) {
                if (pa_operation* pPlay = pa_context_play_sample(m_pContext, strSample.c_str(), nullptr, PA_VOLUME_NORM,
                                                                 nullptr, nullptr))
                    pa_operation_unref(pPlay);
            }
            if (!Iterate(-1))
                return;
        }
    }

private:
    static void Drain(pa_mainloop_api* /*pApi*/, pa_io_event* /*pEvent*/, int nFd, pa_io_event_flags_t /*flags*/,
                      void* /*pUser*/)
    {
        std::array<char, 64> buffer{};
        while (read(nFd, buffer.data(), buffer.size()) > 0) {
        }
    }

    // Runs the loop once, waiting for an event at most nTimeoutUs (-1: until one comes).
    bool Iterate(int nTimeoutUs)
    {
        return pa_mainloop_prepare(m_pLoop, nTimeoutUs) >= 0 && pa_mainloop_poll(m_pLoop) >= 0 &&
               pa_mainloop_dispatch(m_pLoop) >= 0;
    }

    bool RunUntil(Clock::time_point deadline, const std::function<bool()>& done)
    {
        while (!done()) {
            const auto left = std::chrono::duration_cast<std::chrono::microseconds>(deadline - Clock::now());
            if (m_shared.bStop.load() || left.count() <= 0 || !PA_CONTEXT_IS_GOOD(pa_context_get_state(m_pContext)) ||
                (m_pStream != nullptr && pa_stream_get_state(m_pStream) == PA_STREAM_FAILED) ||
                !Iterate(static_cast<int>(left.count())))
                return false;
        }
        return true;
    }

    CQtSound::CShared& m_shared;
    pa_mainloop* m_pLoop;
    pa_mainloop_api* m_pApi;
    pa_io_event* m_pWake;
    pa_context* m_pContext;
    pa_stream* m_pStream = nullptr;
};

// The sound thread: decodes the wave, connects and uploads it (the decoded samples go once the server has them),
// then plays it on request.
void RunSound(const std::shared_ptr<CQtSound::CShared>& pShared, const QString& strPath)
{
    std::optional<CSession> session;
    std::string strSample;
    {
        CWave wave;
        if (!Decode(strPath, wave)) {
            pShared->nState.store(STATE_NO_FILE);
            return;
        }
        strSample = SampleName(wave);
        session.emplace(*pShared);
        if (!session->Upload(wave, strSample)) {
            pShared->nState.store(STATE_NO_SERVER);
            return;
        }
    }
    pShared->nState.store(STATE_READY);
    session->Serve(strSample);
    pShared->nState.store(STATE_NO_SERVER);
}

} // namespace

CQtSound::~CQtSound()
{
    if (m_pShared != nullptr) {
        m_pShared->bStop.store(true);
        m_pShared->Wake();
    }
}

void CQtSound::Prepare(const char* pszSound)
{
    if (pszSound == nullptr)
        return;
    const QString strName = QFile::decodeName(pszSound);
    // Ready, or a thread still works on it (or is stuck with the server, which its bound ends): nothing to do.
    if (m_pShared != nullptr && strName == m_strName &&
        (m_pShared->nState.load() == STATE_READY || m_pShared->nState.load() == STATE_PREPARING))
        return;
    Start(strName, false);
}

BOOL CQtSound::PlaySound(const char* pszSound, UINT fdwSound)
{
    if ((fdwSound & SND_FILENAME) != 0 && pszSound != nullptr) {
        const QString strName = QFile::decodeName(pszSound);
        const int nState = m_pShared != nullptr && strName == m_strName ? m_pShared->nState.load() : STATE_NO_SERVER;
        if (nState == STATE_READY || nState == STATE_PREPARING) {
            m_pShared->nPlayAt.store(Ticks());
            m_pShared->Wake();
            return TRUE;
        }
        // Perhaps the server is back or the file in place since: prepared again, and played once ready.
        Start(strName, true);
        if (nState != STATE_NO_FILE)
            return TRUE;
    }
    QApplication::beep();
    return FALSE;
}

bool CQtSound::IsReady() const
{
    return m_pShared != nullptr && m_pShared->nState.load() == STATE_READY;
}

void CQtSound::Start(const QString& strName, bool bPlay)
{
    if (m_pShared != nullptr) {
        m_pShared->bStop.store(true);
        m_pShared->Wake();
    }
    m_strName = strName;
    m_pShared = std::make_shared<CShared>();
    if (bPlay)
        m_pShared->nPlayAt.store(Ticks());
    try {
        // Never joined: the process may end while the thread waits on the server.
        std::thread(RunSound, m_pShared, FindSoundFile(strName, QCoreApplication::applicationDirPath())).detach();
    } catch (const std::system_error&) {
        m_pShared->nState.store(STATE_NO_SERVER);
    }
}

void CQtSound::SetAsideIrregularClientConfig()
{
    const char* pszConfig = std::getenv(CLIENT_CONFIG_VARIABLE);
    struct stat status {};
    if (pszConfig != nullptr && stat(pszConfig, &status) == 0 && !S_ISREG(status.st_mode))
        unsetenv(CLIENT_CONFIG_VARIABLE);
}

namespace {

bool IsSoundFile(const QString& strPath)
{
    const QFileInfo info(strPath);
    return info.isFile() && info.size() > 0;
}

} // namespace

QString CQtSound::FindSoundFile(const QString& strName, const QString& strAppDir)
{
    if (IsSoundFile(strName))
        return strName;
    if (QDir::isAbsolutePath(strName) || strAppDir.isEmpty())
        return {};
    const QString strInstalled = QDir(strAppDir).filePath(QString::fromLatin1(DATA_DIR_FROM_BIN) + '/' + strName);
    return IsSoundFile(strInstalled) ? QDir::cleanPath(strInstalled) : QString();
}
