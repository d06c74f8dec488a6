// The frame soak: the game's real frame on Qt, played by a scripted player for many ticks, then checked.
// Usage: frame_soak [--ticks N] [--seed S] [--no-rss-check]; exits non-zero on any failed check.
// --no-rss-check is for builds whose allocator keeps freed memory on purpose (AddressSanitizer's quarantine).
#include "CGameApp.h"
#include "Cp932.h"
#include "FramePlayer.h"
#include "QtWindowSystem.h"
#include "RankTable.h"
#include "Runtime.h"
#include "SoakWindowSystem.h"
#include "WinApp.h"
#include "Wnd.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>

#include <cstdio>
#include <cstring>
#include <set>
#include <string>

namespace {

constexpr long long DEFAULT_TICKS = 30000;
constexpr long long SAMPLE_TICK = 3000;
constexpr unsigned int DEFAULT_SEED = 1;
constexpr std::time_t FIRST_SECOND = 1000000;
// The soak fails rather than hangs.
constexpr int DEADLINE_MS = 15 * 60 * 1000;
// Resident memory at the end may exceed that at the sample tick by this
// fraction: fonts and glyphs for the ranking table and for names typed later
// are loaded once, after the sample (about 2 MB).
constexpr double RSS_TOLERANCE = 0.10;
constexpr std::size_t RANK_FILE_SIZE = 140;

int g_nFailures = 0;

void Check(bool bOk, const char* pszWhat)
{
    if (!bOk) {
        ++g_nFailures;
        std::fprintf(stderr, "frame_soak: FAILED: %s\n", pszWhat);
    }
}

// The file is the table's image, in ranking order, with NUL-terminated names
// that are either built in or were typed in this run.
void CheckRankFile(const QStringList& names, const RankEntry (&builtIn)[RANK_COUNT])
{
    QFile file(QStringLiteral("rank.vtd"));
    Check(file.open(QIODevice::ReadOnly), "rank.vtd can be read");
    const QByteArray bytes = file.readAll();
    Check(std::size_t(bytes.size()) == RANK_FILE_SIZE, "rank.vtd holds 140 bytes");
    if (std::size_t(bytes.size()) != RANK_FILE_SIZE)
        return;
    Check(std::memcmp(bytes.constData(), g_rankTable, RANK_FILE_SIZE) == 0, "rank.vtd is the table's image");
    std::set<std::string> known;
    for (const RankEntry& entry : builtIn)
        known.insert(entry.szName);
    for (const QString& name : names)
        known.insert(Utf8ToCp932(name.toStdString()).value_or("?"));
    RankEntry table[RANK_COUNT];
    std::memcpy(table, bytes.constData(), RANK_FILE_SIZE);
    for (int i = 0; i < RANK_COUNT; ++i) {
        const RankEntry& entry = table[i];
        const std::size_t nLength = strnlen(entry.szName, RANK_NAME_SIZE);
        Check(nLength < RANK_NAME_SIZE, "every name ends in a NUL");
        Check(known.contains(std::string(entry.szName, nLength)), "every name is built in or was typed");
        Check(entry.nStage >= 1, "every stage is at least 1");
        if (i > 0) {
            const RankEntry& prev = table[i - 1];
            Check(prev.nScore > entry.nScore || (prev.nScore == entry.nScore && prev.nStage <= entry.nStage),
                  "places are in ranking order");
        }
        std::printf("rank %d: score=%d stage=%d name=%s\n", i + 1, int(entry.nScore), int(entry.nStage),
                    Cp932ToUtf8(std::string_view(entry.szName, nLength)).c_str());
    }
}

void CheckCounts(const CFramePlayer& player, const CSoakWindowSystem& system, long long nTicks)
{
    const CFramePlayer::Counts& c = player.GetCounts();
    std::printf("ticks=%lld games=%d stage_clears=%d crashes=%d flips=%d names_typed=%d names_cancelled=%d "
                "ranking_boxes=%d rankings_during_play=%d about_boxes=%d quit_prompts=%d sounds=%d paints=%d\n",
                player.GetTicks(), c.nGames, c.nStageClears, c.nCrashes, c.nFlips, c.nNamesTyped, c.nNamesCancelled,
                c.nRankingBoxes, c.nRankingsDuringPlay, c.nAboutBoxes, c.nQuitPrompts, system.GetSoundsPlayed(),
                system.GetPaints());
    Check(player.GetTicks() >= nTicks, "every tick was played");
    Check(c.nUnexpectedBoxes == 0, "no box other than the game's own");
    Check(c.nGames > 1 && c.nCrashes == c.nGames, "every game ended in a crash");
    Check(c.nStageClears > 0 && c.nNamesTyped > 0 && c.nNamesCancelled > 0,
          "stages were cleared, names typed and cancelled");
    Check(system.GetSoundsPlayed() == c.nCrashes, "one crash sound per crash");
    // The tick timer starts after the start box, each stage-clear box and each
    // quit prompt cancelled (all but the last), and stops before each box again.
    Check(system.GetTimerStarts() == c.nGames + c.nStageClears + c.nQuitPrompts - 1,
          "the timer restarts after each box");
    Check(system.GetTimerStops() == system.GetTimerStarts(), "the timer stops before each box");
    // Each game over shows the ranking unless the name was cancelled.
    Check(c.nRankingBoxes == c.nCrashes - c.nNamesCancelled, "a ranking box after each game over, unless cancelled");
}

void CheckMemory(const CFramePlayer& player, bool bCheckRss)
{
    const CFramePlayer::Memory& sample = player.GetSample();
    const CFramePlayer::Memory& end = player.GetEnd();
    std::printf("memory: tick %lld rss_kb=%ld peak_kb=%ld windows=%d; end rss_kb=%ld peak_kb=%ld windows=%d\n",
                SAMPLE_TICK, sample.nRssKb, sample.nPeakKb, sample.nTopLevelWidgets, end.nRssKb, end.nPeakKb,
                end.nTopLevelWidgets);
    if (bCheckRss)
        Check(sample.nRssKb > 0 && double(end.nRssKb) <= double(sample.nRssKb) * (1.0 + RSS_TOLERANCE),
              "resident memory does not grow");
    Check(end.nTopLevelWidgets == sample.nTopLevelWidgets, "no box or dialog outlives its command");
}

struct SoakArgs {
    long long nTicks = DEFAULT_TICKS;
    unsigned int nSeed = DEFAULT_SEED;
    bool bCheckRss = true;
};

bool ParseArgs(int argc, char** argv, SoakArgs& args)
{
    for (int i = 1; i < argc; ++i) {
        const std::string name = argv[i];
        if (name == "--no-rss-check") {
            args.bCheckRss = false;
        } else if (name == "--ticks" && i + 1 < argc) {
            args.nTicks = std::atoll(argv[++i]);
        } else if (name == "--seed" && i + 1 < argc) {
            args.nSeed = unsigned(std::atol(argv[++i]));
        } else {
            return false;
        }
    }
    return args.nTicks > SAMPLE_TICK;
}

// The offscreen platform says this once per box; it means nothing here.
void QuietMessages(QtMsgType type, const QMessageLogContext& context, const QString& message)
{
    if (!message.contains(QLatin1String("propagateSizeHints")))
        std::fprintf(stderr, "%s\n", qPrintable(qFormatLogMessage(type, context, message)));
}

} // namespace

int main(int argc, char** argv)
{
    SoakArgs args;
    if (!ParseArgs(argc, argv, args)) {
        std::fprintf(stderr, "usage: frame_soak [--ticks N (more than %lld)] [--seed S] [--no-rss-check]\n",
                     SAMPLE_TICK);
        return 2;
    }
    qInstallMessageHandler(QuietMessages);
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QApplication::setQuitOnLastWindowClosed(false);
    RankEntry builtIn[RANK_COUNT];
    std::memcpy(builtIn, g_rankTable, sizeof builtIn);

    // A fresh directory with the crash sound, as the game is installed.
    QTemporaryDir dir;
    QDir::setCurrent(dir.path());
    QFile::copy(QStringLiteral(VANTREL_CLASH_WAV), QStringLiteral("clash.wav"));

    CFixedClockRuntime clock(FIRST_SECOND);
    SetRuntime(&clock);
    CFramePlayer player(clock, args.nSeed, args.nTicks, SAMPLE_TICK);
    CQtWindowSystem qt;
    CSoakWindowSystem system(qt, [&player](CWnd& wnd, UINT_PTR nIDEvent) { player.OnTick(wnd, nIDEvent); });
    SetWindowSystem(&system);

    QElapsedTimer elapsed;
    elapsed.start();
    Check(theApp.InitInstance() && theApp.m_pMainWnd != nullptr, "the frame opens");
    if (theApp.m_pMainWnd != nullptr) {
        player.Begin(*theApp.m_pMainWnd);
        QTimer::singleShot(DEADLINE_MS, [] {
            Check(false, "the soak ends before its deadline");
            theApp.m_pMainWnd->DestroyWindow();
        });
        system.Run();
    }
    const double dSeconds = double(elapsed.elapsed()) / 1000.0;
    Check(theApp.m_pMainWnd == nullptr, "the quit prompt closed the frame");

    CheckCounts(player, system, args.nTicks);
    CheckMemory(player, args.bCheckRss);
    CheckRankFile(player.GetNames(), builtIn);
    std::printf("frame_soak: %lld ticks in %.1f s (%.0f ticks/s); %s\n", player.GetTicks(), dSeconds,
                double(player.GetTicks()) / dSeconds, g_nFailures == 0 ? "passed" : "FAILED");
    SetWindowSystem(nullptr);
    SetRuntime(nullptr);
    QDir::setCurrent(QDir::rootPath());
    return g_nFailures == 0 ? 0 : 1;
}
