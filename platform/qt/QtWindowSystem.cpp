// Frame windows, system metrics, sound and the event loop on Qt.
#include "QtWindowSystem.h"

#include "QtFrameHost.h"

#include <QEvent>
#include <QEventLoop>

#include <functional>

namespace {

// The classic desktop's sizes, in pixels.
struct Metric {
    int nIndex;
    int nValue;
};
constexpr Metric SYSTEM_METRICS[] = {
    {SM_CXEDGE, 2}, {SM_CYEDGE, 2}, {SM_CXDLGFRAME, 3}, {SM_CYDLGFRAME, 3}, {SM_CYCAPTION, 19}, {SM_CYMENU, 19},
};

// Runs its function once, when the watched window is first shown.
class CFirstShowWatch : public QObject {
public:
    CFirstShowWatch(QObject* pWindow, std::function<void()> fn) : QObject(pWindow), m_fn(std::move(fn))
    {
        pWindow->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject* pWatched, QEvent* pEvent) override
    {
        if (pEvent->type() == QEvent::Show) {
            pWatched->removeEventFilter(this);
            m_fn();
        }
        return false;
    }

private:
    std::function<void()> m_fn;
};

} // namespace

std::unique_ptr<IWindowHost> CQtWindowSystem::CreateFrameHost(CWnd& wnd, std::string_view title, std::uint32_t dwStyle,
                                                              const RECT& rect, UINT nMenuID)
{
    // The outer size less a dialog frame, a client edge, the caption and one menu line.
    const int nWidth = rect.right - rect.left - 2 * GetSystemMetrics(SM_CXEDGE) - 2 * GetSystemMetrics(SM_CXDLGFRAME);
    const int nHeight = rect.bottom - rect.top - 2 * GetSystemMetrics(SM_CYEDGE) - 2 * GetSystemMetrics(SM_CYDLGFRAME) -
                        GetSystemMetrics(SM_CYCAPTION) - GetSystemMetrics(SM_CYMENU);
    if (nWidth <= 0 || nHeight <= 0)
        return nullptr;
    auto pHost =
        std::make_unique<CQtFrameHost>([this] { EndRun(); }, wnd, title, dwStyle, QSize(nWidth, nHeight), nMenuID);
    new CFirstShowWatch(pHost->GetWindow(), [this] { m_sound.Prepare(PREPARED_SOUND); });
    return pHost;
}

int CQtWindowSystem::GetSystemMetrics(int nIndex)
{
    for (const Metric& metric : SYSTEM_METRICS) {
        if (metric.nIndex == nIndex)
            return metric.nValue;
    }
    return 0;
}

// A loop of its own rather than QApplication::exec: QApplication::exit would
// leave the whole application quitting, so that every modal loop opened later
// in the process (tests open many windows in turn) would return at once.
int CQtWindowSystem::Run()
{
    QEventLoop loop;
    m_pLoop = &loop;
    const int nExitCode = loop.exec();
    m_pLoop = nullptr;
    return nExitCode;
}

void CQtWindowSystem::EndRun()
{
    if (m_pLoop != nullptr)
        m_pLoop->quit();
}
