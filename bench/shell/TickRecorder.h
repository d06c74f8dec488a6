// Records when each 20 ms timer tick arrives and what the process has spent by then.
#pragma once

#include <QObject>

#include <vector>

class CTickRecorder : public QObject {
public:
    // Intervals between consecutive ticks, without interrupted ones, and the
    // process CPU time spent over them.
    struct Intervals {
        std::vector<double> periodsMs;
        double dCpuMs = 0;
    };
    struct Figures {
        int nIntervals;
        double dMeanMs;
        double dP99Ms;
        double dCpuPerTickMs;
    };

    // Watches every event of the application for ticks of a timer with this period.
    explicit CTickRecorder(int nPeriodMs);
    ~CTickRecorder() override;

    int GetTicks() const { return int(m_samples.size()); }
    // The next interval spans something other than play (a box) and is left out.
    void Interrupt() { m_bInterrupted = true; }
    // Adds this recording's intervals to those of earlier ones.
    void AddTo(Intervals& intervals) const;
    // The CPU time per tick is the CPU time over the intervals per interval.
    static Figures Summarise(const Intervals& intervals);

protected:
    bool eventFilter(QObject* pWatched, QEvent* pEvent) override;

private:
    struct Sample {
        double dWallMs;
        double dCpuMs;
        bool bAfterInterruption;
    };

    int m_nPeriodMs;
    bool m_bInterrupted = true;
    std::vector<Sample> m_samples;
};
