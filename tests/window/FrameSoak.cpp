// The frame soak: the real frame on Qt played by a seeded player on a fast tick clock, games after games with every box
// answered, names typed and cancelled, menu boxes between; then memory, windows and rank.vtd are checked. Usage:
// frame_soak [--ticks N] [--no-rss-check] (for allocators that keep freed memory, as AddressSanitizer's).
#include "CFlipSolver.h"
#include "CGameApp.h"
#include "Cp932.h"
#include "GameConstants.h"
#include "MainFrame.h"
#include "QtFrameHost.h"
#include "QtWindowSystem.h"
#include "RankTable.h"
#include "TestScene.h"
#include "Wnd.h"

#include <QApplication>
#include <QFile>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMessageBox>
#include <QTest>
#include <QTimer>

#include <cstdio>
#include <cstring>
#include <random>
#include <set>

namespace {

// The edit box keeps 16 bytes of code page 932: the second and third names lose their last character.
const char* const NAMES[] = {"E1", "abcdefghijklmnopq", "あいうえおかきくけ", "ｱ名前A", ""};
int g_nFailures = 0;

void Check(bool bOk, const char* pszWhat)
{
    if (!bOk) {
        ++g_nFailures;
        std::fprintf(stderr, "frame_soak: FAILED: %s\n", pszWhat);
    }
}

// The frame's timer only says whether it runs: the player fires ticks as fast as the loop turns.
class CSoakFrameHost : public CQtFrameHost {
public:
    using CQtFrameHost::CQtFrameHost;
    void SetTimer(UINT_PTR, UINT) override { m_bTicking = true; }
    void KillTimer(UINT_PTR) override { m_bTicking = false; }
    bool m_bTicking = false;
};

class CSoakWindowSystem : public CQtWindowSystem {
public:
    std::unique_ptr<IWindowHost> CreateFrameHost(CWnd& wnd, std::string_view title, std::uint32_t dwStyle, const RECT&,
                                                 UINT nMenuID) override
    {
        return std::make_unique<CSoakFrameHost>([this] { EndRun(); }, wnd, title, dwStyle,
                                                QSize(nFieldWidth, nFieldHeight), nMenuID);
    }
};

// Resident memory in kB and the number of top-level windows.
std::pair<long, qsizetype> Measure()
{
    QFile status("/proc/self/status");
    status.open(QIODevice::ReadOnly);
    const QByteArray text = status.readAll();
    return {text.mid(text.indexOf("VmRSS:") + 6).trimmed().split(' ').value(0).toLong(),
            QApplication::topLevelWidgets().size()};
}

CSoakFrameHost* Host()
{
    return theApp.m_pMainWnd != nullptr ? static_cast<CSoakFrameHost*>(theApp.m_pMainWnd->GetHost()) : nullptr;
}

QWidget* TopModal()
{
    QWidget* pModal = QApplication::activeModalWidget();
    return pModal != nullptr && pModal->isVisible() ? pModal : nullptr;
}

void Press(QWidget* pTarget, int nKey, const QString& text = {}, bool bAutoRepeat = false)
{
    QKeyEvent press(QEvent::KeyPress, nKey, Qt::NoModifier, text, bAutoRepeat);
    QKeyEvent release(QEvent::KeyRelease, nKey, Qt::NoModifier, text);
    QApplication::sendEvent(pTarget, &press);
    QApplication::sendEvent(pTarget, &release);
}

// Every decision comes from one generator of default seed, in the order ticks and boxes arrive.
class CFramePlayer {
public:
    CFramePlayer(CFixedClockRuntime& clock, long long nTicks) : m_clock(clock), m_nTickTarget(nTicks)
    {
        for (const RankEntry& entry : g_rankTable)
            m_names.insert(entry.szName);
        QObject::connect(&m_tick, &QTimer::timeout, [this] { OnTick(); });
        QObject::connect(&m_idle, &QTimer::timeout, [this] { OnIdle(); });
        m_tick.start(0);
        m_idle.start(0);
    }

    long long m_nTicks = 0;
    int m_nGames = 0, m_nStageClears = 0, m_nCrashes = 0, m_nNamesTyped = 0, m_nNamesCancelled = 0;
    std::pair<long, qsizetype> m_half, m_end; // memory and windows halfway and at the end
    std::set<std::string> m_names;            // built in, and every name the edit box held at Enter

private:
    bool Chance(int nOneIn) { return std::uniform_int_distribution<int>(1, nOneIn)(m_rng) == 1; }

    // Between ticks while no box is open: the solver's flips on a stage to clear, else one in 10 ticks (soon a crash).
    void OnTick()
    {
        if (Host() == nullptr || !Host()->m_bTicking)
            return;
        if (TopModal() == nullptr) {
            if (m_half.first == 0 && m_nTicks >= m_nTickTarget / 2)
                m_half = Measure();
            for (; m_iPlan < m_plan.size() && m_plan[m_iPlan] == m_nStageTick; ++m_iPlan)
                Flip();
            if (m_plan.empty() && Chance(10))
                Flip();
        }
        ++m_nTicks; // before the tick, whose stage clear restarts the stage's count
        ++m_nStageTick;
        ++m_nTickDepth;
        theApp.m_pMainWnd->WindowProc(WM_TIMER, 1, 0);
        --m_nTickDepth;
    }

    // Space (sometimes an auto-repeat) or a click.
    void Flip()
    {
        Chance(2) ? Press(Host()->GetClient(), Qt::Key_Space, " ", Chance(4))
                  : QTest::mouseClick(Host()->GetClient(), Qt::LeftButton);
    }

    // A menu command from a fresh call, as a click on the menu would be.
    void Post(const char* pszItem)
    {
        m_bCommandQueued = true;
        QTimer::singleShot(0, [this, item = QString::fromUtf8(pszItem)] {
            for (QAction* pAction : Host()->GetWindow()->findChildren<QAction*>())
                if (pAction->text() == item && TopModal() == nullptr)
                    pAction->trigger();
            m_bCommandQueued = false;
        });
    }

    // Answers the box on top; between games opens a menu box one time in four, else starts the next game a clock second
    // later, or quits once every tick is played.
    void OnIdle()
    {
        if (QWidget* pModal = TopModal())
            return Answer(pModal);
        if (m_bPlaying || m_nTickDepth > 0 || m_bCommandQueued || m_bExiting || Host() == nullptr)
            return;
        if (m_nTicks >= m_nTickTarget) {
            m_bExiting = true;
            m_end = Measure();
            Post("Exit(&X)");
        } else if (Chance(4)) {
            const char* const MENU[] = {"Ranking(&R)", "About(&A)", "Exit(&X)"}; // the quit prompt is cancelled
            Post(MENU[std::uniform_int_distribution<int>(0, 2)(m_rng)]);
        } else {
            m_clock.SetTime(m_clock.Time() + 1);
            Post("Start(&S)");
        }
    }

    void Answer(QWidget* pModal)
    {
        if (auto* pEdit = pModal->findChild<QLineEdit*>())
            return AnswerName(pEdit);
        const auto* pBox = qobject_cast<QMessageBox*>(pModal);
        const QString text = pBox != nullptr ? pBox->text() : QString();
        if (text == "Hit anykey to Start!") {
            ++m_nGames;
            m_bPlaying = true;
            m_nStagesToClear = std::uniform_int_distribution<int>(0, 4)(m_rng);
            BeginStage();
        } else if (text == "Congratulations! Go to Next Stage.") {
            ++m_nStageClears;
            BeginStage();
        } else if (text == "GameOver( ; _ ; )/~~~") {
            ++m_nCrashes;
            m_bPlaying = false;
        } else if (pBox != nullptr && text != "Do you quit Game?" && !text.contains("Ranking")) {
            Check(false, qPrintable("no box other than the game's own: " + text));
        }
        // Escape cancels the quit prompt until the soak ends, and closes the About box half the time.
        const bool bEscape = text == "Do you quit Game?" ? !m_bExiting : pBox == nullptr && Chance(2);
        Press(pModal->focusWidget() != nullptr ? pModal->focusWidget() : pModal,
              bEscape ? Qt::Key_Escape : Qt::Key_Return);
    }

    // Every third name is cancelled, beginning with the second; the others typed one key per character.
    void AnswerName(QLineEdit* pEdit)
    {
        if ((m_nNamesTyped + m_nNamesCancelled) % 3 == 1) {
            ++m_nNamesCancelled;
            return Press(pEdit, Qt::Key_Escape);
        }
        for (QChar ch : QString::fromUtf8(NAMES[std::uniform_int_distribution<int>(0, 4)(m_rng)]))
            Press(pEdit, 0, QString(ch));
        ++m_nNamesTyped;
        m_names.insert(Utf8ToCp932(pEdit->text().toStdString()).value_or("?"));
        Press(pEdit, Qt::Key_Return);
    }

    // A new field is on screen: the solver's plan when this stage is to be cleared, random flips otherwise.
    void BeginStage()
    {
        m_nStageTick = 0;
        m_iPlan = 0;
        m_plan.clear();
        if (m_nStagesToClear == 0)
            return;
        const QImage picture = Host()->GetClient()->grab().toImage().convertToFormat(QImage::Format_RGB32);
        CBitmap field;
        field.CreateBitmap(nFieldWidth, nFieldHeight);
        std::memcpy(field.Bits(), picture.constBits(), field.GetWidth() * field.GetHeight() * 4);
        CDC dc;
        dc.SelectObject(&field);
        if (const auto plan = CFlipSolver().Solve(dc, nStartX, nStartY, nStartDY)) {
            --m_nStagesToClear;
            m_plan = *plan;
        }
    }

    CFixedClockRuntime& m_clock;
    std::mt19937 m_rng;
    long long m_nTickTarget;
    QTimer m_tick, m_idle;
    int m_nTickDepth = 0; // nonzero while a tick is being handled
    bool m_bPlaying = false, m_bCommandQueued = false, m_bExiting = false;
    int m_nStagesToClear = 0, m_nStageTick = 0;
    std::vector<int> m_plan; // ticks of the stage before which to flip
    std::size_t m_iPlan = 0;
};

// rank.vtd: the table's image, in ranking order, each name NUL-terminated and built in or typed in this run.
void CheckRankFile(const std::set<std::string>& names)
{
    QFile file("rank.vtd");
    Check(file.open(QIODevice::ReadOnly) && std::size_t(file.size()) == sizeof g_rankTable, "rank.vtd holds 140 bytes");
    RankEntry table[RANK_COUNT]{};
    file.read(reinterpret_cast<char*>(table), sizeof table);
    Check(std::memcmp(table, g_rankTable, sizeof table) == 0, "rank.vtd is the table's image");
    for (int i = 0; i < RANK_COUNT; ++i) {
        const std::string name(table[i].szName, strnlen(table[i].szName, RANK_NAME_SIZE));
        Check(name.size() < RANK_NAME_SIZE && names.contains(name) && table[i].nStage >= 1,
              "every name ends in a NUL and is built in or typed; every stage is at least 1");
        Check(i == 0 || table[i - 1].nScore > table[i].nScore ||
                  (table[i - 1].nScore == table[i].nScore && table[i - 1].nStage <= table[i].nStage),
              "places are in ranking order");
    }
}

} // namespace

int main(int argc, char** argv)
{
    long long nTicks = 30000;
    bool bCheckRss = true;
    for (int i = 1; i < argc; ++i) {
        bCheckRss = bCheckRss && std::strcmp(argv[i], "--no-rss-check") != 0;
        if (std::strcmp(argv[i], "--ticks") == 0 && i + 1 < argc)
            nTicks = std::atoll(argv[++i]);
    }
    // The offscreen platform's note on every box means nothing here.
    qInstallMessageHandler([](QtMsgType type, const QMessageLogContext& context, const QString& message) {
        if (!message.contains("propagateSizeHints"))
            std::fprintf(stderr, "%s\n", qPrintable(qFormatLogMessage(type, context, message)));
    });
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QApplication::setQuitOnLastWindowClosed(false);
    CTestScene scene(1000000); // a fresh directory with the crash sound, as the game is installed
    QFile::copy(VANTREL_CLASH_WAV, "clash.wav");
    CSoakWindowSystem system;
    CFramePlayer p(scene.m_clock, nTicks);
    Check(theApp.ShowMainFrame(new CMainFrame(system, scene.m_clock)) && theApp.m_pMainWnd != nullptr,
          "the frame opens");
    QTimer::singleShot(15 * 60 * 1000, [] { // fails rather than hangs
        Check(false, "the soak ends before its deadline");
        theApp.m_pMainWnd->DestroyWindow();
    });
    if (theApp.m_pMainWnd != nullptr)
        system.Run();
    Check(theApp.m_pMainWnd == nullptr, "the quit prompt closed the frame");
    std::printf("ticks=%lld games=%d stage_clears=%d crashes=%d names_typed=%d names_cancelled=%d\n", p.m_nTicks,
                p.m_nGames, p.m_nStageClears, p.m_nCrashes, p.m_nNamesTyped, p.m_nNamesCancelled);
    Check(p.m_nTicks >= nTicks && p.m_nGames > 1 && p.m_nCrashes == p.m_nGames, "every tick played, games crashed");
    Check(p.m_nStageClears > 0 && p.m_nNamesTyped > 0 && p.m_nNamesCancelled > 0,
          "stages cleared, names typed and cancelled");
    std::printf("memory: tick %lld rss_kb=%ld windows=%lld; end rss_kb=%ld windows=%lld\n", nTicks / 2, p.m_half.first,
                (long long)p.m_half.second, p.m_end.first, (long long)p.m_end.second);
    // Fonts and glyphs of names typed after the sample load once: 10% growth is allowed.
    Check(!bCheckRss || (p.m_half.first > 0 && p.m_end.first * 10 <= p.m_half.first * 11),
          "resident memory does not grow");
    Check(p.m_end.second == p.m_half.second, "no box or dialog outlives its command");
    CheckRankFile(p.m_names);
    std::printf("frame_soak: %lld ticks; %s\n", p.m_nTicks, g_nFailures == 0 ? "passed" : "FAILED");
    return g_nFailures == 0 ? 0 : 1;
}
