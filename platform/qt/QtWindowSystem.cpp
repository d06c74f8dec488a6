// Frame windows, system metrics, sound and the event loop on Qt.
#include "QtWindowSystem.h"

#include "QtFrameHost.h"
#include "SystemMetrics.h"

#include <QEventLoop>

std::unique_ptr<IWindowHost> CQtWindowSystem::CreateFrameHost(CWnd& wnd, std::string_view title, std::uint32_t dwStyle,
                                                              const RECT& rect, UINT nMenuID)
{
    const auto [nWidth, nHeight] = FrameClientSize(rect);
    if (nWidth <= 0 || nHeight <= 0)
        return nullptr;
    auto pHost =
        std::make_unique<CQtFrameHost>([this] { EndRun(); }, wnd, title, dwStyle, QSize(nWidth, nHeight), nMenuID);
    std::erase(m_frameHosts, nullptr);
    m_frameHosts.emplace_back(pHost.get());
    return pHost;
}

int CQtWindowSystem::GetSystemMetrics(int nIndex)
{
    return ClassicSystemMetric(nIndex);
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

void CQtWindowSystem::EndSession()
{
    std::erase(m_frameHosts, nullptr);
    if (m_frameHosts.empty()) {
        EndRun();
        return;
    }
    // Copied: a frame may be deleted while its boxes close.
    const std::vector<QPointer<CQtFrameHost>> hosts = m_frameHosts;
    for (const QPointer<CQtFrameHost>& pHost : hosts) {
        if (pHost != nullptr)
            pHost->OnWindowGone();
    }
}
