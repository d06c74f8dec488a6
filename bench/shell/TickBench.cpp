// Tick period and CPU time per tick of the game's real window against a bare Qt window, in one run.
#include "BareWindow.h"
#include "CGameApp.h"
#include "FixedClockRuntime.h"
#include "FrameConstants.h"
#include "GameConstants.h"
#include "MainFrame.h"
#include "QtFrameHost.h"
#include "QtWindowSystem.h"
#include "TickRecorder.h"
#include "Wnd.h"

#include <QApplication>
#include <QDialog>
#include <QDir>
#include <QMenuBar>
#include <QTemporaryDir>
#include <QTimer>

#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace {

constexpr int DEFAULT_TICKS = 1000;
constexpr int ROUNDS = 5;
// A field on which an unsteered game lasts 89 ticks before it crashes.
constexpr std::time_t FIELD_SECOND = 1000000;
// No tick for this long after a box and no box open: the game is over, start the next.
constexpr int IDLE_BEFORE_START_MS = 200;

// Targets: mean period within 1 % of the timer's, 99th percentile at most
// 22 ms, CPU per tick at most 1.2 times the bare window's.
constexpr double MEAN_TOLERANCE = 0.01;
constexpr double P99_LIMIT_MS = 22.0;
constexpr double CPU_RATIO_LIMIT = 1.2;

void RunUntil(const CTickRecorder& recorder, int nTicks)
{
    while (recorder.GetTicks() < nTicks)
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
}

void MeasureBareWindow(int nTicks, CTickRecorder::Intervals& intervals)
{
    CTickRecorder recorder{int(TICK_PERIOD_MS)};
    CBareWindow window{nFieldWidth, nFieldHeight, int(TICK_PERIOD_MS)};
    window.show();
    RunUntil(recorder, nTicks);
    recorder.AddTo(intervals);
}

// Plays the game without steering: closes every box with OK as it opens
// and starts a new game once the last one is over. Intervals around boxes
// are left out. It acts only around boxes, so play itself runs undisturbed.
class CStandInPlayer : public QObject {
public:
    CStandInPlayer(CTickRecorder& recorder, QAction* pStart) : m_recorder(recorder), m_pStart(pStart)
    {
        QCoreApplication::instance()->installEventFilter(this);
        QueueStartWhenIdle();
    }
    ~CStandInPlayer() override { QCoreApplication::instance()->removeEventFilter(this); }

protected:
    bool eventFilter(QObject* pWatched, QEvent* pEvent) override
    {
        auto* pBox = qobject_cast<QDialog*>(pWatched);
        if (pEvent->type() == QEvent::Show && pBox != nullptr && pBox->isModal()) {
            m_recorder.Interrupt();
            QTimer::singleShot(0, pBox, [pBox] { pBox->accept(); });
            QueueStartWhenIdle();
        }
        return false;
    }

private:
    // After the last box of a game over no tick comes any more: start the next game.
    void QueueStartWhenIdle()
    {
        const int nTicks = m_recorder.GetTicks();
        QTimer::singleShot(IDLE_BEFORE_START_MS, this, [this, nTicks] {
            if (m_recorder.GetTicks() != nTicks || QApplication::activeModalWidget() != nullptr)
                return;
            m_recorder.Interrupt();
            m_pStart->trigger();
        });
    }

    CTickRecorder& m_recorder;
    QAction* m_pStart;
};

void MeasureGameWindow(IWindowSystem& windowSystem, IRuntime& runtime, int nTicks, CTickRecorder::Intervals& intervals)
{
    CTickRecorder recorder{int(TICK_PERIOD_MS)};
    theApp.ShowMainFrame(new CMainFrame(windowSystem, runtime));
    QWidget* pWindow = static_cast<CQtFrameHost*>(theApp.m_pMainWnd->GetHost())->GetWindow();
    QAction* pStart = pWindow->findChild<QMenuBar*>()->actions().front()->menu()->actions().front();
    {
        CStandInPlayer player(recorder, pStart);
        RunUntil(recorder, nTicks);
    }
    theApp.m_pMainWnd->DestroyWindow();
    QCoreApplication::processEvents();
    recorder.AddTo(intervals);
}

bool Within(double dValue, double dLimit)
{
    return dValue <= dLimit;
}

void Report(const char* pszName, const CTickRecorder::Figures& figures)
{
    std::printf("%-12s %9d %13.3f %12.3f %14.4f\n", pszName, figures.nIntervals, figures.dMeanMs, figures.dP99Ms,
                figures.dCpuPerTickMs);
}

} // namespace

int main(int argc, char** argv)
{
    const int nTicks = argc > 1 ? std::atoi(argv[1]) : DEFAULT_TICKS;
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QApplication::setQuitOnLastWindowClosed(false);
    CQtWindowSystem windowSystem;
    CFixedClockRuntime runtime(FIELD_SECOND);
    // The games write their ranking file; keep it out of the caller's directory.
    QTemporaryDir dir;
    QDir::setCurrent(dir.path());

    // Alternating rounds, so that a busy spell of the machine weighs on both alike.
    CTickRecorder::Intervals bareIntervals, gameIntervals;
    for (int nRound = 0; nRound < ROUNDS; ++nRound) {
        MeasureBareWindow(nTicks / ROUNDS, bareIntervals);
        MeasureGameWindow(windowSystem, runtime, nTicks / ROUNDS, gameIntervals);
    }
    const CTickRecorder::Figures bare = CTickRecorder::Summarise(bareIntervals);
    const CTickRecorder::Figures game = CTickRecorder::Summarise(gameIntervals);
    std::printf("%-12s %9s %13s %12s %14s\n", "window", "intervals", "mean ms", "p99 ms", "CPU ms/tick");
    Report("bare Qt", bare);
    Report("game frame", game);
    const double dRatio = bare.dCpuPerTickMs > 0 ? game.dCpuPerTickMs / bare.dCpuPerTickMs : 0;
    std::printf("game: mean %s (within %.0f%% of %d ms), p99 %s (<= %.0f ms), CPU %.2f x bare %s (<= %.1f x)\n",
                Within(std::abs(game.dMeanMs - TICK_PERIOD_MS), TICK_PERIOD_MS * MEAN_TOLERANCE) ? "ok" : "MISSED",
                MEAN_TOLERANCE * 100, TICK_PERIOD_MS, Within(game.dP99Ms, P99_LIMIT_MS) ? "ok" : "MISSED", P99_LIMIT_MS,
                dRatio, Within(dRatio, CPU_RATIO_LIMIT) ? "ok" : "MISSED", CPU_RATIO_LIMIT);
    return 0;
}
