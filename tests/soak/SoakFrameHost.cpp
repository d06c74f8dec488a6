// Forwards everything to the Qt frame host except the timers, which fire once per turn of the event loop.
#include "SoakFrameHost.h"

#include "SoakWindowSystem.h"

CSoakFrameHost::CSoakFrameHost(CSoakWindowSystem& system, CWnd& wnd, std::unique_ptr<IWindowHost> pQtHost)
    : m_system(system), m_wnd(wnd), m_pQtHost(std::move(pQtHost))
{
}

// The timers go before the Qt host, so that none fires into a window being torn down.
CSoakFrameHost::~CSoakFrameHost()
{
    m_timers.clear();
}

bool CSoakFrameHost::IsTimerRunning(UINT_PTR nIDEvent) const
{
    const auto it = m_timers.find(nIDEvent);
    return it != m_timers.end() && it->second->isActive();
}

void CSoakFrameHost::ShowWindow(int nCmdShow)
{
    m_pQtHost->ShowWindow(nCmdShow);
}

void CSoakFrameHost::UpdateWindow()
{
    m_pQtHost->UpdateWindow();
}

void CSoakFrameHost::SetIcon(UINT nIconID, BOOL bBigIcon)
{
    m_pQtHost->SetIcon(nIconID, bBigIcon);
}

void CSoakFrameHost::SetTimer(UINT_PTR nIDEvent, UINT)
{
    if (m_bDestroyed)
        return;
    ++m_system.m_nTimerStarts;
    std::unique_ptr<QTimer>& pTimer = m_timers[nIDEvent];
    if (pTimer == nullptr) {
        pTimer = std::make_unique<QTimer>();
        QObject::connect(pTimer.get(), &QTimer::timeout, [this, nIDEvent] { m_system.m_fnTick(m_wnd, nIDEvent); });
    }
    pTimer->start(0);
}

// Stopped rather than deleted: this may run inside the timer's own tick.
void CSoakFrameHost::KillTimer(UINT_PTR nIDEvent)
{
    const auto it = m_timers.find(nIDEvent);
    if (it != m_timers.end() && it->second->isActive()) {
        ++m_system.m_nTimerStops;
        it->second->stop();
    }
}

void CSoakFrameHost::Invalidate(BOOL bErase)
{
    m_pQtHost->Invalidate(bErase);
}

void CSoakFrameHost::PaintBitmap(const CBitmap& src, int x, int y, int cx, int cy, int xSrc, int ySrc)
{
    ++m_system.m_nPaints;
    m_pQtHost->PaintBitmap(src, x, y, cx, cy, xSrc, ySrc);
}

int CSoakFrameHost::MessageBox(std::string_view text, std::string_view caption, UINT nType)
{
    return m_pQtHost->MessageBox(text, caption, nType);
}

INT_PTR CSoakFrameHost::RunModalDialog(CDialog& dlg)
{
    return m_pQtHost->RunModalDialog(dlg);
}

void CSoakFrameHost::DestroyWindow()
{
    m_bDestroyed = true;
    for (auto& [nID, pTimer] : m_timers)
        pTimer->stop();
    m_pQtHost->DestroyWindow();
}
