// The crash sound on real audio servers: a private PulseAudio null sink recorded from its monitor, and a silent one.
#include "WindowTest.h"

#include "QtWindowSystem.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QtEndian>

#include <signal.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

#include <cstdlib>
#include <memory>

namespace {

// A box or an end of the program that takes longer waits on the audio server.
constexpr int HANG_BOUND_MS = 10000;
// Recorded sample peaks, of 32767: the crash sound peaks near full scale, the null sink's silence at 0.
constexpr int HEARD_PEAK = 8000, SILENT_PEAK = 300, RECORD_RATE = 11025;

// What "clash.wav" is when the game crashes.
enum class Wave { Game, Absent, Oversized, Rate10Hz, Rate4GHz, CutInFrame, Float, Extensible, NoData };
// The audio server: started before the window, listening and never answering, missing until the crash, or stopped
// (SIGSTOP) once the sound is ready.
enum class Server { Daemon, Silent, LateDaemon, Stopped };
struct Row {
    const char* pszName;
    Wave wave;
    Server server;
    bool bHeard;
};

void Put(QByteArray& bytes, quint32 nValue, int nBytes)
{
    for (int i = 0; i < nBytes; ++i)
        bytes.append(static_cast<char>(nValue >> (8 * i)));
}

// nFrames of a full-scale square wave, mono, at nRate Hz: 16-bit PCM in the plain or the extensible layout, or 32-bit
// float. Loud if it were ever played.
QByteArray LoudWave(Wave wave, quint32 nRate, quint32 nFrames)
{
    const bool bFloat = wave == Wave::Float, bExtensible = wave == Wave::Extensible;
    const quint32 nSampleBytes = bFloat ? 4 : 2, nDataBytes = nFrames * nSampleBytes;
    QByteArray fmt;
    Put(fmt, bExtensible ? 0xFFFE : bFloat ? 3 : 1, 2);
    Put(fmt, 1, 2);
    Put(fmt, nRate, 4);
    Put(fmt, nRate * nSampleBytes, 4);
    Put(fmt, nSampleBytes, 2);
    Put(fmt, nSampleBytes * 8, 2);
    if (bExtensible) { // valid bits, speaker mask, then the PCM sub-format's GUID
        Put(fmt, 22, 2);
        Put(fmt, 16, 2);
        Put(fmt, 4, 4);
        fmt.append("\x01\0\0\0\0\0\x10\0\x80\0\0\xAA\0\x38\x9B\x71", 16);
    }
    QByteArray bytes("RIFF");
    Put(bytes, 4 + 8 + fmt.size() + 8 + nDataBytes, 4);
    bytes.append("WAVEfmt ");
    Put(bytes, fmt.size(), 4);
    bytes.append(fmt).append("data");
    Put(bytes, nDataBytes, 4);
    for (quint32 i = 0; i < nFrames; ++i) {
        const bool bHigh = (i / 20) % 2 != 0;
        Put(bytes, bFloat ? (bHigh ? 0x3F666666 : 0xBF666666) : (bHigh ? 30000 : 0x10000 - 30000), nSampleBytes);
    }
    return bytes;
}

} // namespace

// The real frame on a window system of the test's own, so that the end of its sound can be timed.
class SoundTest : public WindowTest, public testing::WithParamInterface<Row> {
protected:
    void SetUp() override
    {
        WindowTest::SetUp();
        ASSERT_TRUE(m_serverDir.isValid() && QDir(m_serverDir.path()).mkdir("run"));
        m_pSystem = std::make_unique<CQtWindowSystem>();
        // Five empty records at 0 points: the crash's score asks for a name.
        QFile rank("rank.vtd");
        ASSERT_TRUE(rank.open(QIODevice::WriteOnly) && rank.write(QByteArray(140, '\0')) > 0);
    }
    // Ends as the program ends: the frame destroyed, then the window system with its sound.
    void TearDown() override
    {
        WindowTest::TearDown();
        QElapsedTimer quit;
        quit.start();
        m_pSystem.reset();
        EXPECT_LT(quit.elapsed(), HANG_BOUND_MS) << "the end of the program waited on the audio server";
        if (m_daemon.state() != QProcess::NotRunning)
            kill(static_cast<pid_t>(m_daemon.processId()), SIGCONT);
        for (QProcess* pProcess : {&m_record, &m_daemon}) {
            pProcess->terminate();
            pProcess->waitForFinished();
        }
        if (m_nSilentFd >= 0)
            close(m_nSilentFd);
    }

    IWindowSystem& WindowSystem() override { return *m_pSystem; }
    QString Socket() const { return m_serverDir.path() + "/native"; }
    // A server that listens and never accepts: connections complete in the backlog and then hear nothing.
    void ListenSilently()
    {
        const QByteArray path = QFile::encodeName(Socket());
        sockaddr_un address{};
        address.sun_family = AF_UNIX;
        ASSERT_LT(path.size(), qsizetype{sizeof address.sun_path});
        std::copy(path.begin(), path.end(), address.sun_path);
        m_nSilentFd = socket(AF_UNIX, SOCK_STREAM, 0);
        ASSERT_EQ(bind(m_nSilentFd, reinterpret_cast<const sockaddr*>(&address), sizeof address), 0);
        ASSERT_EQ(listen(m_nSilentFd, SOMAXCONN), 0);
    }
    // A private PulseAudio daemon with one null sink, recorded; as root it wants a home and runtime directory.
    void StartDaemon()
    {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("HOME", m_serverDir.path());
        env.insert("XDG_RUNTIME_DIR", m_serverDir.path() + "/run");
        m_daemon.setProcessEnvironment(env);
        m_daemon.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        m_daemon.start("pulseaudio",
                       {"-n", "--daemonize=no", "--exit-idle-time=-1", "--use-pid-file=no", "--log-level=error",
                        "--load=module-native-protocol-unix auth-anonymous=1 socket=" + Socket(),
                        "--load=module-null-sink sink_name=vantrel_test"});
        ASSERT_TRUE(m_daemon.waitForStarted()) << "pulseaudio (Debian package pulseaudio) is needed";
        ASSERT_TRUE(QTest::qWaitFor([&] { return QFileInfo::exists(Socket()); }, HANG_BOUND_MS));
        m_record.setStandardOutputFile(m_serverDir.path() + "/monitor.raw");
        m_record.start("parec", {"--device=vantrel_test.monitor", "--raw", "--format=s16le", "--channels=1",
                                 "--latency-msec=20", "--rate=" + QString::number(RECORD_RATE)});
        ASSERT_TRUE(m_record.waitForStarted());
    }
    int RecordedPeak()
    {
        m_record.terminate();
        m_record.waitForFinished();
        QFile file(m_serverDir.path() + "/monitor.raw");
        EXPECT_TRUE(file.open(QIODevice::ReadOnly));
        const QByteArray raw = file.readAll();
        EXPECT_GT(raw.size(), RECORD_RATE) << "the recording did not run";
        int nPeak = 0;
        for (qsizetype i = 0; i + 1 < raw.size(); i += 2)
            nPeak = std::max(nPeak, std::abs(int{qFromLittleEndian<qint16>(raw.data() + i)}));
        return nPeak;
    }

    std::unique_ptr<CQtWindowSystem> m_pSystem;
    QTemporaryDir m_serverDir;
    QProcess m_daemon, m_record;
    int m_nSilentFd = -1;
};

// The game-over box comes at once and the name entry follows it whatever the wave and the server; only a playable
// wave is heard, also when the server was missing at start-up (the crash prepares the sound again and plays it).
// The end of the program never waits on the server (see TearDown).
TEST_P(SoundTest, TheGameOverBoxComesAtOnceTheNameEntryFollowsAndOnlyAPlayableWaveIsHeard)
{
    const Row& row = GetParam();
    QByteArray bytes;
    if (row.wave == Wave::Game || row.wave == Wave::CutInFrame) {
        QFile game(VANTREL_CLASH_WAV);
        ASSERT_TRUE(game.open(QIODevice::ReadOnly));
        bytes = game.readAll();
        if (row.wave == Wave::CutInFrame)
            bytes.truncate(5001);
    } else if (row.wave != Wave::Absent) {
        const quint32 nRate = row.wave == Wave::Rate10Hz ? 10 : row.wave == Wave::Rate4GHz ? 4000000000U : RECORD_RATE;
        const quint32 nFrames = row.wave == Wave::NoData      ? 0
                                : row.wave == Wave::Oversized ? CQtSound::MAX_SOUND_BYTES / 2
                                                              : RECORD_RATE;
        bytes = LoudWave(row.wave, nRate, nFrames);
    }
    QFile file("clash.wav");
    ASSERT_TRUE(bytes.isEmpty() || (file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size()));
    file.close();
    qputenv("PULSE_SERVER", QFile::encodeName("unix:" + Socket()));
    if (row.server == Server::Silent)
        ListenSilently();
    else if (row.server != Server::LateDaemon)
        StartDaemon();
    if (HasFatalFailure())
        return;
    OpenFrame();
    if (row.server == Server::LateDaemon) {
        QTest::qWait(500); // the preparation fails without a server
        ASSERT_FALSE(m_pSystem->GetSound().IsReady());
        StartDaemon();
    } else if (row.bHeard || row.server == Server::Stopped) {
        ASSERT_TRUE(QTest::qWaitFor([&] { return m_pSystem->GetSound().IsReady(); }, HANG_BOUND_MS));
        if (row.server == Server::Stopped)
            kill(static_cast<pid_t>(m_daemon.processId()), SIGSTOP);
    }
    StartGame();
    QElapsedTimer elapsed;
    elapsed.start();
    qint64 nBoxMs = -1;
    QString strNext;
    OnNextModal([&](QWidget* pBox) {
        nBoxMs = elapsed.elapsed();
        EXPECT_EQ(static_cast<QMessageBox*>(pBox)->text(), "GameOver( ; _ ; )/~~~");
        OnNextModal([&](QWidget* pNext) {
            strNext = pNext->windowTitle();
            QTest::keyClick(KeyTarget(pNext), Qt::Key_Escape);
        });
        QTest::keyClick(KeyTarget(pBox), Qt::Key_Return);
    });
    static_cast<void>(QTest::qWaitFor([&] { return !strNext.isEmpty(); }, 2 * HANG_BOUND_MS));
    EXPECT_TRUE(nBoxMs >= 0 && nBoxMs < HANG_BOUND_MS) << nBoxMs;
    EXPECT_EQ(strNext, "Type your Name.");
    if (row.server == Server::Silent || row.server == Server::Stopped)
        return;         // the end of the program comes while the server still holds the connection
    QTest::qWait(1000); // the whole crash sound after the game-over box
    const int nPeak = RecordedPeak();
    EXPECT_TRUE(row.bHeard ? nPeak > HEARD_PEAK : nPeak < SILENT_PEAK) << nPeak;
}

INSTANTIATE_TEST_SUITE_P(Waves, SoundTest,
                         testing::Values(Row{"Game", Wave::Game, Server::Daemon, true},
                                         Row{"Absent", Wave::Absent, Server::Daemon, false},
                                         Row{"Oversized", Wave::Oversized, Server::Daemon, false},
                                         Row{"Rate10Hz", Wave::Rate10Hz, Server::Daemon, false},
                                         Row{"Rate4GHz", Wave::Rate4GHz, Server::Daemon, false},
                                         Row{"CutInFrame", Wave::CutInFrame, Server::Daemon, true},
                                         Row{"Float", Wave::Float, Server::Daemon, true},
                                         Row{"Extensible", Wave::Extensible, Server::Daemon, true},
                                         Row{"NoData", Wave::NoData, Server::Daemon, false},
                                         Row{"SilentServer", Wave::Game, Server::Silent, false},
                                         Row{"ServerStoppedWhenReady", Wave::Game, Server::Stopped, false},
                                         Row{"ServerStartedAfterTheWindow", Wave::Game, Server::LateDaemon, true}),
                         [](const testing::TestParamInfo<Row>& info) { return std::string(info.param.pszName); });

// A regular, non-empty file in the working directory first (a directory, pipe or empty file of that name does not
// hide the installed sound), then in the data directory of an installed game found from its executable's directory,
// wherever the installation was moved.
TEST(SoundLookup, WorkingDirectoryFirstThenTheInstalledDataDirectory)
{
    const CTestScene scene(0);
    const QDir prefix(QString::fromStdString(scene.m_dir.string()));
    ASSERT_TRUE(prefix.mkpath("games") && prefix.mkpath("share/games/vantrel") && prefix.mkpath("home") &&
                QDir::setCurrent(prefix.filePath("home")));
    const QString strBin = prefix.filePath("games"), strData = prefix.filePath("share/games/vantrel/clash.wav");
    EXPECT_EQ(CQtSound::FindSoundFile("clash.wav", strBin), QString());
    ASSERT_TRUE(QFile::copy(VANTREL_CLASH_WAV, strData));
    EXPECT_EQ(CQtSound::FindSoundFile("clash.wav", strBin), strData);
    ASSERT_TRUE(QDir().mkdir("clash.wav"));
    EXPECT_EQ(CQtSound::FindSoundFile("clash.wav", strBin), strData) << "a directory";
    ASSERT_TRUE(QDir().rmdir("clash.wav") && mkfifo("clash.wav", 0600) == 0);
    EXPECT_EQ(CQtSound::FindSoundFile("clash.wav", strBin), strData) << "a pipe";
    ASSERT_TRUE(QFile::remove("clash.wav") && QFile("clash.wav").open(QIODevice::WriteOnly));
    EXPECT_EQ(CQtSound::FindSoundFile("clash.wav", strBin), strData) << "an empty file";
    ASSERT_TRUE(QFile::remove("clash.wav") && QFile::copy(VANTREL_CLASH_WAV, "clash.wav"));
    EXPECT_EQ(CQtSound::FindSoundFile("clash.wav", strBin), "clash.wav");
}
