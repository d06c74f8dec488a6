// The soak's player: every decision comes from one seeded generator, in the order ticks and boxes arrive.
#include "FramePlayer.h"

#include "Bitmap.h"
#include "DC.h"
#include "FrameConstants.h"
#include "GameConstants.h"
#include "QtFrameHost.h"
#include "Runtime.h"
#include "SoakFrameHost.h"
#include "Wnd.h"

#include <QApplication>
#include <QDialog>
#include <QFile>
#include <QImage>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QMouseEvent>

#include <cstring>

namespace {

// How often, per tick, the player does each thing.
constexpr int RANDOM_FLIP_ONE_IN = 10;        // while not steering: soon a crash
constexpr int EXTRA_DOUBLE_FLIP_ONE_IN = 150; // while steering: two flips that cancel out
constexpr int MENU_BOX_ONE_IN = 2000;         // Ranking or About during play
constexpr int QUIT_PROMPT_ONE_IN = 3000;      // Escape, then Cancel
constexpr int MAX_STAGES_PER_GAME = 4;
constexpr int MAX_HOLD_TICKS = 30;
constexpr int NAME_CANCEL_ONE_IN = 3;

// Names as typed (UTF-8); the edit box keeps at most 16 bytes of code page
// 932, so the third and fourth lose their last character.
const char* const NAMES[] = {
    "E1",
    "soak",
    "abcdefghijklmnopq",
    "\u3042\u3044\u3046\u3048\u304a\u304b\u304d\u304f\u3051", // nine double-byte hiragana
    "\uff71\u540d\u524dA",                                    // half-width katakana, kanji, Latin
    "",
};

// The game's boxes as the player reads them.
constexpr const char* BOX_START = "Hit anykey to Start!";
constexpr const char* BOX_STAGE_CLEAR = "Congratulations! Go to Next Stage.";
constexpr const char* BOX_GAME_OVER = "GameOver( ; _ ; )/~~~";
constexpr const char* BOX_QUIT = "Do you quit Game?";
constexpr const char* RANKING_MARK = "Ranking";

QAction* FindAction(QWidget* pWindow, const char* pszText)
{
    const QString text = QString::fromLatin1(pszText);
    for (QAction* pAction : pWindow->findChild<QMenuBar*>()->actions()) {
        if (pAction->text() == text)
            return pAction;
        if (pAction->menu() == nullptr)
            continue;
        for (QAction* pItem : pAction->menu()->actions()) {
            if (pItem->text() == text)
                return pItem;
        }
    }
    return nullptr;
}

QWidget* KeyTarget(QWidget* pModal)
{
    return pModal->focusWidget() != nullptr ? pModal->focusWidget() : pModal;
}

QWidget* TopModal()
{
    QWidget* pModal = QApplication::activeModalWidget();
    return pModal != nullptr && pModal->isVisible() ? pModal : nullptr;
}

bool IsMenuBox(QWidget* pModal)
{
    const auto* pBox = qobject_cast<QMessageBox*>(pModal);
    if (pBox != nullptr)
        return pBox->text().contains(QLatin1String(RANKING_MARK));
    return pModal->findChild<QLineEdit*>() == nullptr; // the About dialog
}

long StatusKb(const char* pszField)
{
    QFile file(QStringLiteral("/proc/self/status"));
    if (!file.open(QIODevice::ReadOnly))
        return 0;
    const QByteArray field = QByteArray(pszField) + ':';
    for (const QByteArray& line : file.readAll().split('\n')) {
        if (line.startsWith(field))
            return line.mid(field.size()).trimmed().split(' ').value(0).toLong();
    }
    return 0;
}

} // namespace

CFramePlayer::CFramePlayer(CFixedClockRuntime& clock, unsigned int nSeed, long long nTicks, long long nSampleTick)
    : m_clock(clock), m_rng(nSeed), m_nTickTarget(nTicks), m_nSampleTick(nSampleTick)
{
}

void CFramePlayer::Begin(CWnd& frame)
{
    m_pHost = static_cast<CSoakFrameHost*>(frame.GetHost());
    const auto& qtHost = static_cast<const CQtFrameHost&>(m_pHost->GetQtHost());
    m_pClient = qtHost.GetClient();
    m_pStart = FindAction(qtHost.GetWindow(), "Start(&S)");
    m_pExit = FindAction(qtHost.GetWindow(), "Exit(&X)");
    m_pRanking = FindAction(qtHost.GetWindow(), "Ranking(&R)");
    m_pAbout = FindAction(qtHost.GetWindow(), "About(&A)");
    QObject::connect(&m_idle, &QTimer::timeout, [this] { OnIdle(); });
    m_idle.start(0);
}

bool CFramePlayer::Chance(int nOneIn)
{
    return std::uniform_int_distribution<int>(1, nOneIn)(m_rng) == 1;
}

bool CFramePlayer::TimerRunning() const
{
    return m_pHost->IsTimerRunning(TICK_TIMER);
}

CFramePlayer::Memory CFramePlayer::Measure() const
{
    return {StatusKb("VmRSS"), StatusKb("VmHWM"), int(QApplication::topLevelWidgets().size())};
}

void CFramePlayer::OnTick(CWnd& wnd, UINT_PTR nIDEvent)
{
    if (m_nTicks == m_nSampleTick)
        m_sample = Measure();
    if (m_pHeld != nullptr && m_nTicks >= m_nHeldUntil && TopModal() == m_pHeld) {
        Press(KeyTarget(m_pHeld), Qt::Key_Return);
        m_pHeld = nullptr;
    }
    // Input reaches the frame only while no box is open.
    if (TopModal() == nullptr)
        InputBeforeTick();
    // Counted before the tick, whose stage clear may begin the count of the next stage.
    ++m_nTicks;
    ++m_nStageTick;
    ++m_nTickDepth;
    wnd.WindowProc(WM_TIMER, nIDEvent, 0);
    --m_nTickDepth;
}

void CFramePlayer::InputBeforeTick()
{
    if (m_bSteering) {
        for (; m_iPlan < m_vecPlan.size() && m_vecPlan[m_iPlan] == m_nStageTick; ++m_iPlan)
            Flip(false);
        if (Chance(EXTRA_DOUBLE_FLIP_ONE_IN))
            Flip(true);
    } else if (Chance(RANDOM_FLIP_ONE_IN)) {
        Flip(false);
    }
    if (Chance(MENU_BOX_ONE_IN)) {
        m_bHoldNext = true;
        m_nHeldUntil = m_nTicks + std::uniform_int_distribution<int>(1, MAX_HOLD_TICKS)(m_rng);
        PostCommand(Chance(2) ? m_pRanking : m_pAbout);
    } else if (Chance(QUIT_PROMPT_ONE_IN)) {
        Press(m_pClient, Qt::Key_Escape);
    }
}

// Space (sometimes auto-repeated) or a click flips once; a double-click is a second click.
void CFramePlayer::Flip(bool bTwice)
{
    const QPointF point(nFieldWidth / 2, nFieldHeight / 2);
    const auto mouse = [this, &point](QEvent::Type type) {
        const Qt::MouseButtons buttons = type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::LeftButton;
        QMouseEvent event(type, point, m_pClient->mapToGlobal(point), Qt::LeftButton, buttons, Qt::NoModifier);
        QApplication::sendEvent(m_pClient, &event);
    };
    if (bTwice) {
        for (QEvent::Type type : {QEvent::MouseButtonPress, QEvent::MouseButtonRelease, QEvent::MouseButtonDblClick,
                                  QEvent::MouseButtonRelease})
            mouse(type);
    } else if (Chance(2)) {
        QKeyEvent press(QEvent::KeyPress, Qt::Key_Space, Qt::NoModifier, QStringLiteral(" "), Chance(4));
        QApplication::sendEvent(m_pClient, &press);
    } else {
        mouse(QEvent::MouseButtonPress);
        mouse(QEvent::MouseButtonRelease);
    }
    m_counts.nFlips += bTwice ? 2 : 1;
}

void CFramePlayer::PostCommand(QAction* pAction)
{
    QTimer::singleShot(0, pAction, [this, pAction] {
        // A click on the menu bar cannot reach it while a box is open.
        if (TopModal() != nullptr) {
            m_bHoldNext = false;
            return;
        }
        pAction->trigger();
    });
}

void CFramePlayer::OnIdle()
{
    if (QWidget* pModal = TopModal()) {
        Answer(pModal);
        return;
    }
    if (!m_bGameOver || m_nTickDepth > 0 || m_bStartQueued)
        return;
    if (m_nTicks >= m_nTickTarget) {
        if (!m_bExiting) {
            m_bExiting = true;
            m_end = Measure();
            PostCommand(m_pExit);
        }
        return;
    }
    m_bStartQueued = true;
    // Each game draws its stars from the next second.
    m_clock.SetTime(m_clock.Time() + 1);
    PostCommand(m_pStart);
}

void CFramePlayer::Answer(QWidget* pModal)
{
    if (m_bHoldNext && TimerRunning() && IsMenuBox(pModal)) {
        m_bHoldNext = false;
        m_pHeld = pModal;
        if (qobject_cast<QMessageBox*>(pModal) != nullptr)
            ++m_counts.nRankingsDuringPlay;
        else
            ++m_counts.nAboutBoxes;
        return;
    }
    if (pModal == m_pHeld) {
        // The ticks close it when its time is up; once the game stops, at once.
        if (!TimerRunning()) {
            Press(KeyTarget(pModal), Qt::Key_Return);
            m_pHeld = nullptr;
        }
        return;
    }
    if (auto* pBox = qobject_cast<QMessageBox*>(pModal)) {
        AnswerBox(pBox);
    } else if (pModal->findChild<QLineEdit*>() != nullptr) {
        AnswerNameDialog(static_cast<QDialog*>(pModal));
    } else {
        Press(KeyTarget(pModal), Chance(2) ? Qt::Key_Return : Qt::Key_Escape);
    }
}

void CFramePlayer::AnswerBox(QMessageBox* pBox)
{
    const QString text = pBox->text();
    int nKey = Qt::Key_Return;
    if (text == QLatin1String(BOX_START)) {
        ++m_counts.nGames;
        m_bStartQueued = false;
        m_bGameOver = false;
        m_nStagesToClear =
            m_nTicks < m_nTickTarget ? std::uniform_int_distribution<int>(0, MAX_STAGES_PER_GAME)(m_rng) : 0;
        BeginStage();
    } else if (text == QLatin1String(BOX_STAGE_CLEAR)) {
        ++m_counts.nStageClears;
        BeginStage();
    } else if (text == QLatin1String(BOX_GAME_OVER)) {
        ++m_counts.nCrashes;
        m_bGameOver = true;
        m_bSteering = false;
    } else if (text == QLatin1String(BOX_QUIT)) {
        ++m_counts.nQuitPrompts;
        nKey = m_bExiting ? Qt::Key_Return : Qt::Key_Escape;
    } else if (text.contains(QLatin1String(RANKING_MARK))) {
        ++m_counts.nRankingBoxes;
    } else {
        ++m_counts.nUnexpectedBoxes;
        qWarning("soak: unexpected box: %s", qPrintable(text));
    }
    Press(KeyTarget(pBox), nKey);
}

void CFramePlayer::AnswerNameDialog(QDialog* pDialog)
{
    auto* pEdit = pDialog->findChild<QLineEdit*>();
    if (Chance(NAME_CANCEL_ONE_IN)) {
        ++m_counts.nNamesCancelled;
        Press(pEdit, Qt::Key_Escape);
        return;
    }
    const QString name =
        QString::fromUtf8(NAMES[std::uniform_int_distribution<std::size_t>(0, std::size(NAMES) - 1)(m_rng)]);
    // One key per character, as the keyboard delivers them.
    for (QChar ch : name)
        Press(pEdit, 0, QString(ch));
    ++m_counts.nNamesTyped;
    m_names << pEdit->text();
    Press(pEdit, Qt::Key_Return);
}

void CFramePlayer::Press(QWidget* pTarget, int nKey, const QString& text)
{
    QKeyEvent press(QEvent::KeyPress, nKey, Qt::NoModifier, text);
    QApplication::sendEvent(pTarget, &press);
    QKeyEvent release(QEvent::KeyRelease, nKey, Qt::NoModifier, text);
    QApplication::sendEvent(pTarget, &release);
}

// The field is read from the window as the frame paints it from its back buffer.
void CFramePlayer::BeginStage()
{
    m_nStageTick = 0;
    m_iPlan = 0;
    m_bSteering = false;
    if (m_nStagesToClear == 0)
        return;
    const QImage picture = m_pClient->grab().toImage().convertToFormat(QImage::Format_RGB32);
    if (picture.size() != QSize(nFieldWidth, nFieldHeight))
        return;
    CBitmap field;
    field.CreateBitmap(nFieldWidth, nFieldHeight);
    for (int y = 0; y < nFieldHeight; ++y)
        std::memcpy(field.Bits() + y * nFieldWidth, picture.constScanLine(y), std::size_t(nFieldWidth) * 4);
    CDC dc;
    dc.CreateCompatibleDC(nullptr);
    CBitmap* pOld = dc.SelectObject(&field);
    const auto plan = m_solver.Solve(dc, nStartX, nStartY, nStartDY);
    dc.SelectObject(pOld);
    if (!plan)
        return;
    --m_nStagesToClear;
    m_vecPlan = *plan;
    m_bSteering = true;
}
