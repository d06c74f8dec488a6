// The crash sound on a real audio server: a private PulseAudio null sink recorded from its monitor.
#include "WindowTest.h"

#include <QDataStream>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QtEndian>

#include <sys/stat.h>

#include <cstdlib>
#include <memory>

namespace {

// A box that takes longer waits on the audio server.
constexpr int HANG_BOUND_MS = 10000;
// Recorded sample peaks, of 32767: the crash sound peaks near full scale, the null sink's silence at 0.
constexpr int HEARD_PEAK = 8000, SILENT_PEAK = 300, RECORD_RATE = 11025;

// What "clash.wav" is when the game crashes.
enum class Wave { Game, Absent, Oversized, Rate10Hz, CutInFrame, Float, Extensible };
// When the audio server starts: before the window, or only at the crash.
enum class Server { Daemon, LateDaemon };
struct Row {
    const char* pszName;
    Wave wave;
    Server server;
    bool bHeard;
};

// Writes "clash.wav": nFrames of a full-scale square wave, mono, at nRate Hz: 16-bit PCM in the plain or the extensible
// layout, or 32-bit float. Loud if it were ever played.
bool WriteLoudWave(Wave wave, quint32 nRate, quint32 nFrames)
{
    const bool bFloat = wave == Wave::Float, bExtensible = wave == Wave::Extensible;
    const quint16 nSampleBytes = bFloat ? 4 : 2;
    const quint32 nFmtBytes = bExtensible ? 40 : 16;
    QFile file("clash.wav");
    if (!file.open(QIODevice::WriteOnly))
        return false;
    QDataStream out(&file);
    out.setByteOrder(QDataStream::LittleEndian);
    out.setFloatingPointPrecision(QDataStream::SinglePrecision);
    out.writeRawData("RIFF", 4);
    out << quint32{4 + 8 + nFmtBytes + 8 + nFrames * nSampleBytes};
    out.writeRawData("WAVEfmt ", 8);
    out << nFmtBytes << quint16(bExtensible ? 0xFFFE : 1 + 2 * int(bFloat)) << quint16{1} << nRate
        << nRate * nSampleBytes << nSampleBytes << quint16(8 * nSampleBytes);
    if (bExtensible) // the size of the rest, valid bits, speaker mask, then the PCM sub-format's GUID
        out << quint16{22} << quint16{16} << quint32{4} << quint32{1} << quint32{0x00100000}
            << quint64{0x719B3800AA000080};
    out.writeRawData("data", 4);
    out << nFrames * nSampleBytes;
    for (quint32 i = 0; i < nFrames; ++i)
        bFloat ? void(out << ((i / 20) % 2 != 0 ? 0.9F : -0.9F))
               : void(out << qint16((i / 20) % 2 != 0 ? 30000 : -30000));
    return out.status() == QDataStream::Ok;
}

} // namespace

// The real frame on a window system of the test's own, whose sound ends with the test.
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
    void TearDown() override
    {
        WindowTest::TearDown();
        m_pSystem.reset();
        for (QProcess* pProcess : {&m_record, &m_daemon}) {
            pProcess->terminate();
            pProcess->waitForFinished();
        }
    }

    IWindowSystem& WindowSystem() override { return *m_pSystem; }
    QString Socket() const { return m_serverDir.path() + "/native"; }
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
        const QByteArray raw = file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
        EXPECT_GT(raw.size(), RECORD_RATE) << "the recording did not run";
        int nPeak = 0;
        for (qsizetype i = 0; i + 1 < raw.size(); i += 2)
            nPeak = std::max(nPeak, std::abs(int{qFromLittleEndian<qint16>(raw.data() + i)}));
        return nPeak;
    }

    std::unique_ptr<CQtWindowSystem> m_pSystem;
    QTemporaryDir m_serverDir;
    QProcess m_daemon, m_record;
};

// The game-over box comes at once and the name entry follows it whatever the wave and the server; only a playable
// wave is heard, also when the server was missing at start-up (the crash prepares the sound again and plays it).
// A silent or stopped server and the end of the program: sound-exit-test.sh.
TEST_P(SoundTest, TheGameOverBoxComesAtOnceTheNameEntryFollowsAndOnlyAPlayableWaveIsHeard)
{
    const Row& row = GetParam();
    const bool bGame = row.wave == Wave::Game || row.wave == Wave::CutInFrame;
    ASSERT_TRUE(bGame ? QFile::copy(VANTREL_CLASH_WAV, "clash.wav") &&
                            (row.wave == Wave::Game || QFile::resize("clash.wav", 5001))
                      : row.wave == Wave::Absent ||
                            WriteLoudWave(row.wave, row.wave == Wave::Rate10Hz ? 10 : RECORD_RATE,
                                          row.wave == Wave::Oversized ? CQtSound::MAX_SOUND_BYTES / 2 : RECORD_RATE));
    qputenv("PULSE_SERVER", QFile::encodeName("unix:" + Socket()));
    if (row.server == Server::Daemon)
        StartDaemon();
    if (HasFatalFailure())
        return;
    OpenFrame();
    if (row.server == Server::LateDaemon) {
        QTest::qWait(500); // the preparation fails without a server
        ASSERT_FALSE(m_pSystem->GetSound().IsReady());
        StartDaemon();
    } else if (row.bHeard) {
        ASSERT_TRUE(QTest::qWaitFor([&] { return m_pSystem->GetSound().IsReady(); }, HANG_BOUND_MS));
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
    QTest::qWait(1000); // the whole crash sound after the game-over box
    const int nPeak = RecordedPeak();
    EXPECT_TRUE(row.bHeard ? nPeak > HEARD_PEAK : nPeak < SILENT_PEAK) << nPeak;
}

INSTANTIATE_TEST_SUITE_P(Waves, SoundTest,
                         testing::Values(Row{"Game", Wave::Game, Server::Daemon, true},
                                         Row{"Absent", Wave::Absent, Server::Daemon, false},
                                         Row{"Oversized", Wave::Oversized, Server::Daemon, false},
                                         Row{"Rate10Hz", Wave::Rate10Hz, Server::Daemon, false},
                                         Row{"CutInFrame", Wave::CutInFrame, Server::Daemon, true},
                                         Row{"Float", Wave::Float, Server::Daemon, true},
                                         Row{"Extensible", Wave::Extensible, Server::Daemon, true},
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
