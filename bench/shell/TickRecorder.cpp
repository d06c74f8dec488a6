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
    timespec ts {};
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

CTickRecorder::Figures CTickRecorder::Summarise() const
{
    std::vector<double> periods;
    double dCpuMs = 0;
    for (std::size_t i = 1; i < m_samples.size(); ++i) {
        if (m_samples[i].bAfterInterruption)
            continue;
        periods.push_back(m_samples[i].dWallMs - m_samples[i - 1].dWallMs);
        dCpuMs += m_samples[i].dCpuMs - m_samples[i - 1].dCpuMs;
    }
    if (periods.empty())
        return {0, 0, 0, 0};
    double dSum = 0;
    for (double d : periods)
        dSum += d;
    std::vector<double> sorted = periods;
    std::sort(sorted.begin(), sorted.end());
    const std::size_t nP99 = std::min(sorted.size() - 1, std::size_t(std::ceil(P99 * double(sorted.size()))) - 1);
    const double nCount = double(periods.size());
    return {int(periods.size()), dSum / nCount, sorted[nP99], dCpuMs / nCount};
}
