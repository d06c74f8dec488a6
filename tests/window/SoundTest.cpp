// The crash sound on real audio servers: a private PulseAudio null sink recorded from its monitor, and a silent one.
#include "WindowTest.h"

#include "QtWindowSystem.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QtEndian>

#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

#include <cstdlib>
#include <memory>

namespace {

// A box or an exit that takes longer hangs on the audio server (a silent server held the box about 31 s).
constexpr int HANG_BOUND_MS = 10000;
// Recorded sample peaks, of 32767: the crash sound peaks near full scale, the null sink's silence at 0.
constexpr int HEARD_PEAK = 8000, SILENT_PEAK = 300, RECORD_RATE = 11025;

// What "clash.wav" is when the game crashes; the game's own wave again with a server that never answers.
enum class Wave { Game, Absent, Oversized, Pipe, SilentServer };

// Qt's audio back end connects to one server per process: each sound test needs a process of its own.
bool g_bAudioUsed = false;

// A valid 16-bit mono wave of nBytes of full-scale square wave: loud if it were ever played.
QByteArray LoudWave(qint32 nBytes)
{
    QByteArray data(nBytes, '\0');
    for (qint32 i = 0; i + 1 < nBytes; i += 2)
        qToLittleEndian<qint16>((i / 40) % 2 != 0 ? 30000 : -30000, data.data() + i);
    QByteArray wave("RIFF....WAVEfmt \x10\0\0\0\x01\0\x01\0........\x02\0\x10\0data....", 44);
    qToLittleEndian<qint32>(36 + nBytes, wave.data() + 4);
    qToLittleEndian<qint32>(RECORD_RATE, wave.data() + 24);
    qToLittleEndian<qint32>(RECORD_RATE * 2, wave.data() + 28);
    qToLittleEndian<qint32>(nBytes, wave.data() + 40);
    return wave + data;
}

} // namespace

// The real frame on a window system of the test's own, so that the end of its sound can be timed.
class SoundTest : public WindowTest, public testing::WithParamInterface<Wave> {
protected:
    void SetUp() override
    {
        if (g_bAudioUsed)
            GTEST_SKIP() << "run each sound test in a process of its own (ctest does)";
        g_bAudioUsed = true;
        WindowTest::SetUp();
        ASSERT_TRUE(m_serverDir.isValid());
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
        for (QProcess* pProcess : {&m_record, &m_daemon}) {
            pProcess->terminate();
            pProcess->waitForFinished();
        }
        if (m_nSilentFd >= 0)
            close(m_nSilentFd);
    }

    IWindowSystem& WindowSystem() override { return *m_pSystem; }
    void UseServer(const QString& strSocket) { qputenv("PULSE_SERVER", ("unix:" + strSocket).toLocal8Bit()); }
    // A server that listens and never accepts: connections complete in the backlog and then hear nothing.
    void ListenSilently()
    {
        const QByteArray path = QFile::encodeName(m_serverDir.path() + "/silent");
        sockaddr_un address{};
        address.sun_family = AF_UNIX;
        ASSERT_LT(path.size(), qsizetype{sizeof address.sun_path});
        std::copy(path.begin(), path.end(), address.sun_path);
        m_nSilentFd = socket(AF_UNIX, SOCK_STREAM, 0);
        ASSERT_EQ(bind(m_nSilentFd, reinterpret_cast<const sockaddr*>(&address), sizeof address), 0);
        ASSERT_EQ(listen(m_nSilentFd, SOMAXCONN), 0);
        UseServer(QFile::decodeName(path));
    }
    // A private PulseAudio daemon with one null sink; as root it wants a home and runtime directory of its own.
    void StartDaemon()
    {
        const QString strDir = m_serverDir.path();
        const QString strSocket = strDir + "/native";
        ASSERT_TRUE(QDir(strDir).mkdir("run"));
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("HOME", strDir);
        env.insert("XDG_RUNTIME_DIR", strDir + "/run");
        m_daemon.setProcessEnvironment(env);
        m_daemon.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        m_daemon.start("pulseaudio",
                       {"-n", "--daemonize=no", "--exit-idle-time=-1", "--use-pid-file=no", "--log-level=error",
                        "--load=module-native-protocol-unix auth-anonymous=1 socket=" + strSocket,
                        "--load=module-null-sink sink_name=vantrel_test"});
        ASSERT_TRUE(m_daemon.waitForStarted()) << "pulseaudio (Debian package pulseaudio) is needed";
        ASSERT_TRUE(QTest::qWaitFor([&] { return QFileInfo::exists(strSocket); }, HANG_BOUND_MS));
        UseServer(strSocket);
        m_record.setStandardOutputFile(strDir + "/monitor.raw");
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
    // Starts a game and lets it crash. The time from the Start box to the game-over box, and the title of the window
    // that follows it (the name dialog, cancelled).
    std::pair<qint64, QString> Crash()
    {
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
        return {nBoxMs, strNext};
    }

    std::unique_ptr<CQtWindowSystem> m_pSystem;
    QTemporaryDir m_serverDir;
    QProcess m_daemon, m_record;
    int m_nSilentFd = -1;
};

// Only the game's own wave is heard; a missing one, one too big to read whole, or a pipe plays nothing. The game-over
// box comes at once and the name entry follows it, also with a server that never answers (which must not hold up the
// end of the program either: see TearDown).
TEST_P(SoundTest, TheGameOverBoxComesAtOnceTheNameEntryFollowsAndOnlyAPlayableWaveIsHeard)
{
    const Wave wave = GetParam();
    if (wave == Wave::Game || wave == Wave::SilentServer) {
        ASSERT_TRUE(QFile::copy(VANTREL_CLASH_WAV, "clash.wav"));
    } else if (wave == Wave::Oversized) {
        QFile file("clash.wav");
        ASSERT_TRUE(file.open(QIODevice::WriteOnly) && file.write(LoudWave(CQtSound::MAX_SOUND_BYTES + 2)) > 0);
    } else if (wave == Wave::Pipe) {
        ASSERT_EQ(mkfifo("clash.wav", 0600), 0);
    }
    wave == Wave::SilentServer ? ListenSilently() : StartDaemon();
    if (HasFatalFailure())
        return;
    OpenFrame();
    if (wave == Wave::Game) {
        ASSERT_TRUE(QTest::qWaitFor([&] { return m_pSystem->GetSound().IsReady(); }, HANG_BOUND_MS));
    }
    const auto [nBoxMs, strNext] = Crash();
    EXPECT_TRUE(nBoxMs >= 0 && nBoxMs < HANG_BOUND_MS) << nBoxMs;
    EXPECT_EQ(strNext, "Type your Name.");
    if (wave == Wave::SilentServer)
        return;         // the end of the program comes while the server still holds the connection
    QTest::qWait(1000); // the whole crash sound after the game-over box
    const int nPeak = RecordedPeak();
    EXPECT_TRUE(wave == Wave::Game ? nPeak > HEARD_PEAK : nPeak < SILENT_PEAK) << nPeak;
}

std::string WaveName(const testing::TestParamInfo<Wave>& info)
{
    constexpr const char* NAMES[] = {"Game", "Absent", "Oversized", "Pipe", "SilentServer"};
    return NAMES[static_cast<int>(info.param)];
}

INSTANTIATE_TEST_SUITE_P(Waves, SoundTest,
                         testing::Values(Wave::Game, Wave::Absent, Wave::Oversized, Wave::Pipe, Wave::SilentServer),
                         WaveName);

// The bare name in the working directory first, then in the data directory of an installed game found from its
// executable's directory, wherever the installation was moved.
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
    ASSERT_TRUE(QFile::copy(VANTREL_CLASH_WAV, "clash.wav"));
    EXPECT_EQ(CQtSound::FindSoundFile("clash.wav", strBin), "clash.wav");
}
