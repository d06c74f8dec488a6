// Tick timestamps from an application-wide event filter, with the process CPU clock beside them.
#include "TickRecorder.h"

#include <QCoreApplication>
#include <QEvent>
#include <QTimer>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <ctime>

namespace {

constexpr double MS_PER_S = 1000.0;
constexpr double MS_PER_NS = 1e-6;
constexpr double P99 = 0.99;

double WallMs()
{
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now().time_since_epoch()).count();
}

double CpuMs()
{
    timespec ts{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &ts);
    return double(ts.tv_sec) * MS_PER_S + double(ts.tv_nsec) * MS_PER_NS;
}

} // namespace

CTickRecorder::CTickRecorder(int nPeriodMs) : m_nPeriodMs(nPeriodMs)
{
    QCoreApplication::instance()->installEventFilter(this);
}

CTickRecorder::~CTickRecorder()
{
    QCoreApplication::instance()->removeEventFilter(this);
}

bool CTickRecorder::eventFilter(QObject* pWatched, QEvent* pEvent)
{
    if (pEvent->type() != QEvent::Timer)
        return false;
    const auto* pTimer = qobject_cast<QTimer*>(pWatched);
    if (pTimer != nullptr && pTimer->interval() == m_nPeriodMs) {
        m_samples.push_back({WallMs(), CpuMs(), m_bInterrupted});
        m_bInterrupted = false;
    }
    return false;
}

void CTickRecorder::AddTo(Intervals& intervals) const
{
    for (std::size_t i = 1; i < m_samples.size(); ++i) {
        if (m_samples[i].bAfterInterruption)
            continue;
        intervals.periodsMs.push_back(m_samples[i].dWallMs - m_samples[i - 1].dWallMs);
        intervals.dCpuMs += m_samples[i].dCpuMs - m_samples[i - 1].dCpuMs;
    }
}

CTickRecorder::Figures CTickRecorder::Summarise(const Intervals& intervals)
{
    if (intervals.periodsMs.empty())
        return {0, 0, 0, 0};
    std::vector<double> sorted = intervals.periodsMs;
    std::sort(sorted.begin(), sorted.end());
    double dSum = 0;
    for (double d : sorted)
        dSum += d;
    const std::size_t nP99 = std::size_t(std::ceil(P99 * double(sorted.size()))) - 1;
    const double dCount = double(sorted.size());
    return {int(sorted.size()), dSum / dCount, sorted[nP99], intervals.dCpuMs / dCount};
}
