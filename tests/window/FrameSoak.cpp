// The frame soak: the real frame on Qt played by a seeded player on a fast tick clock, games after games with every box
// answered, names typed and cancelled, menu boxes between; then memory, windows and rank.vtd are checked. Run by
// tools/soak.sh with VANTREL_SOAK_TICKS (default 30000) and VANTREL_SOAK_RSS=0 for allocators that keep freed memory,
// as AddressSanitizer's.
#include "WindowTest.h"

#include "../ranking/RankBytes.h"
#include "Cp932.h"
#include "GameConstants.h"

#include <QApplication>
#include <QFile>
#include <QKeyEvent>
#include <QLineEdit>
#include <QTimer>

#include <cstring>
#include <random>
#include <set>

namespace {

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

// Every decision comes from one generator of default seed. Ticks come from one timer, answers and commands from
// another: a box opened by a tick runs its loop inside that tick, where only the other timer fires.
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
    int m_nGames = 0, m_nCrashes = 0, m_nNamesTyped = 0, m_nNamesCancelled = 0;
    std::pair<long, qsizetype> m_half, m_end; // memory and windows halfway and at the end
    std::set<std::string> m_names;            // built in, and every name the edit box held at Enter

private:
    bool Chance(int nOneIn) { return std::uniform_int_distribution<int>(1, nOneIn)(m_rng) == 1; }

    // Flips by Space or click, one tick in 10 while no box is open: each game ends in a crash soon.
    void OnTick()
    {
        if (Host() == nullptr || !Host()->m_bTicking)
            return;
        if (m_half.first == 0 && m_nTicks >= m_nTickTarget / 2)
            m_half = Measure();
        if (TopModal() == nullptr && Chance(10))
            Chance(2) ? QTest::keyClick(Host()->GetClient(), Qt::Key_Space)
                      : QTest::mouseClick(Host()->GetClient(), Qt::LeftButton);
        ++m_nTicks;
        m_bInTick = true;
        theApp.m_pMainWnd->WindowProc(WM_TIMER, 1, 0);
        m_bInTick = false;
    }

    // Answers the box on top; between games a menu box one time in four, else the next game a clock second later, or
    // the quit prompt once every tick is played.
    void OnIdle()
    {
        if (QWidget* pModal = TopModal())
            return Answer(pModal);
        if (m_bPlaying || m_bInTick || m_bCommandQueued || m_bExiting || Host() == nullptr)
            return;
        const char* const MENU[] = {"Ranking(&R)", "About(&A)", "Exit(&X)"}; // the quit prompt cancelled
        const char* pszItem = "Start(&S)";
        if ((m_bExiting = m_nTicks >= m_nTickTarget))
            m_end = Measure(), pszItem = "Exit(&X)";
        else if (Chance(4))
            pszItem = MENU[std::uniform_int_distribution<int>(0, 2)(m_rng)];
        else
            m_clock.SetTime(m_clock.Time() + 1);
        for (QAction* pAction : Host()->GetWindow()->findChildren<QAction*>())
            if (pAction->text() == pszItem)
                m_bCommandQueued = true, QTimer::singleShot(0, [this, pAction] { // outside this timer, as a click
                    if (TopModal() == nullptr)
                        pAction->trigger();
                    m_bCommandQueued = false;
                });
    }

    void Answer(QWidget* pModal)
    {
        auto* pEdit = pModal->findChild<QLineEdit*>();
        const auto* pBox = qobject_cast<QMessageBox*>(pModal);
        const QString text = pBox != nullptr ? pBox->text() : QString();
        if (text == "Hit anykey to Start!")
            ++m_nGames, m_bPlaying = true;
        else if (text == "GameOver( ; _ ; )/~~~")
            ++m_nCrashes, m_bPlaying = false;
        else if (pBox != nullptr && text != "Do you quit Game?" && !text.contains("Ranking") && !text.contains("Stage"))
            ADD_FAILURE() << "no box other than the game's own: " << text.toStdString();
        // Every third name is cancelled, beginning with the second; the others typed one key per character, the
        // second and third losing their last character to the byte limit.
        const char* const NAMES[] = {"E1", "abcdefghijklmnopq", "あいうえおかきくけ", "ｱ名前A", ""};
        bool bEscape = text == "Do you quit Game?" ? !m_bExiting : pBox == nullptr && Chance(2); // About: either
        if (pEdit != nullptr && !(bEscape = (m_nNamesTyped + m_nNamesCancelled) % 3 == 1)) {
            for (QChar ch : QString::fromUtf8(NAMES[std::uniform_int_distribution<int>(0, 4)(m_rng)])) {
                QKeyEvent press(QEvent::KeyPress, 0, Qt::NoModifier, QString(ch));
                QApplication::sendEvent(pEdit, &press);
            }
            m_names.insert(Utf8ToCp932(pEdit->text().toStdString()).value_or("?"));
        }
        if (pEdit != nullptr)
            ++(bEscape ? m_nNamesCancelled : m_nNamesTyped);
        QTest::keyClick(WindowTest::KeyTarget(pModal), bEscape ? Qt::Key_Escape : Qt::Key_Return);
    }

    CFixedClockRuntime& m_clock;
    std::mt19937 m_rng;
    long long m_nTickTarget;
    QTimer m_tick, m_idle;
    bool m_bInTick = false, m_bPlaying = false, m_bCommandQueued = false, m_bExiting = false;
};

class FrameSoak : public WindowTest {
protected:
    IWindowSystem& WindowSystem() override { return m_system; }
    CSoakWindowSystem m_system;
};

} // namespace

TEST_F(FrameSoak, GamesAfterGamesKeepMemoryWindowsAndTheRankFile)
{
    const long long nSet = qEnvironmentVariableIntValue("VANTREL_SOAK_TICKS"), nTicks = nSet > 0 ? nSet : 30000;
    QFile::copy(VANTREL_CLASH_WAV, "clash.wav"); // as the game is installed
    SetTable(RecordBytes("P1", -996, 1) + RecordBytes("P2", -997, 1) + RecordBytes("P3", -998, 1) +
             RecordBytes("P4", -999, 1) + RecordBytes("P5", -1000, 1)); // saved at start-up: early games qualify
    CFramePlayer p(m_scene.m_clock, nTicks);
    ASSERT_TRUE(theApp.ShowMainFrame(new CMainFrame(m_system, m_scene.m_clock)));
    QTimer::singleShot(15 * 60 * 1000, [] { // fails rather than hangs
        ADD_FAILURE() << "the soak ends before its deadline";
        theApp.m_pMainWnd->DestroyWindow();
    });
    if (theApp.m_pMainWnd != nullptr)
        m_system.Run();
    EXPECT_EQ(theApp.m_pMainWnd, nullptr) << "the quit prompt closed the frame";
    std::printf("ticks=%lld games=%d names_typed=%d names_cancelled=%d\n", p.m_nTicks, p.m_nGames, p.m_nNamesTyped,
                p.m_nNamesCancelled);
    EXPECT_TRUE(p.m_nTicks >= nTicks && p.m_nGames > 1 && p.m_nCrashes == p.m_nGames && p.m_nNamesTyped > 0 &&
                p.m_nNamesCancelled > 0);
    std::printf("memory: tick %lld rss_kb=%ld windows=%lld; end rss_kb=%ld windows=%lld\n", nTicks / 2, p.m_half.first,
                (long long)p.m_half.second, p.m_end.first, (long long)p.m_end.second);
    // Fonts and glyphs of names typed after the sample load once: 10% growth is allowed.
    if (qEnvironmentVariable("VANTREL_SOAK_RSS") != "0") {
        EXPECT_TRUE(p.m_half.first > 0 && p.m_end.first * 10 <= p.m_half.first * 11) << "resident memory grows";
    }
    EXPECT_EQ(p.m_end.second, p.m_half.second) << "a box or dialog outlives its command";
    // rank.vtd: the table's image, sorted, each name NUL-terminated and built in or typed in this run.
    EXPECT_TRUE(FileBytes() == TableBytes());
    const RankEntry* table = g_rankTable;
    for (int i = 0; i < RANK_COUNT; ++i)
        EXPECT_TRUE(strnlen(table[i].szName, RANK_NAME_SIZE) < RANK_NAME_SIZE && p.m_names.contains(table[i].szName) &&
                    table[i].nStage >= 1 &&
                    (i == 0 || std::pair(-table[i - 1].nScore, table[i - 1].nStage) <=
                                   std::pair(-table[i].nScore, table[i].nStage)))
            << "place " << i + 1 << ": a built-in or typed name ending in a NUL, stage 1 on, in ranking order";
}
