// Frames made by the Qt window system, wrapped so that their timers run on the soak clock.
#include "SoakWindowSystem.h"

#include "QtWindowSystem.h"
#include "SoakFrameHost.h"

CSoakWindowSystem::CSoakWindowSystem(CQtWindowSystem& qt, TickFunction fnTick) : m_qt(qt), m_fnTick(std::move(fnTick))
{
}

std::unique_ptr<IWindowHost> CSoakWindowSystem::CreateFrameHost(CWnd& wnd, std::string_view title,
                                                                std::uint32_t dwStyle, const RECT& rect, UINT nMenuID)
{
    std::unique_ptr<IWindowHost> pQtHost = m_qt.CreateFrameHost(wnd, title, dwStyle, rect, nMenuID);
    if (pQtHost == nullptr)
        return nullptr;
    return std::make_unique<CSoakFrameHost>(*this, wnd, std::move(pQtHost));
}

int CSoakWindowSystem::GetSystemMetrics(int nIndex)
{
    return m_qt.GetSystemMetrics(nIndex);
}

BOOL CSoakWindowSystem::PlaySound(const char* pszSound, UINT fdwSound)
{
    ++m_nSounds;
    return m_qt.PlaySound(pszSound, fdwSound);
}

int CSoakWindowSystem::Run()
{
    return m_qt.Run();
}
