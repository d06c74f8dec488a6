// Frame windows, system metrics, sound and the outer message loop on Win32.
#include "Win32WindowSystem.h"

#include "SystemMetrics.h"
#include "Win32FrameHost.h"
#include "Win32Loop.h"

std::unique_ptr<IWindowHost> CWin32WindowSystem::CreateFrameHost(CWnd& wnd, std::string_view title,
                                                                 std::uint32_t dwStyle, const RECT& rect, UINT nMenuID)
{
    const auto [nWidth, nHeight] = FrameClientSize(rect);
    if (nWidth <= 0 || nHeight <= 0)
        return nullptr;
    auto pHost = std::make_unique<CWin32FrameHost>(*this, wnd, title, dwStyle, nWidth, nHeight, nMenuID);
    if (!pHost->IsValid())
        return nullptr;
    m_frames.push_back(pHost.get());
    return pHost;
}

int CWin32WindowSystem::GetSystemMetrics(int nIndex)
{
    return ClassicSystemMetric(nIndex);
}

int CWin32WindowSystem::Run()
{
    m_bMainWindowGone = false;
    RunMessageLoop([this] {
        FinishDestroyedFrames();
        return m_bMainWindowGone;
    });
    return 0;
}

void CWin32WindowSystem::OnFrameGone(const CWin32FrameHost* pFrame)
{
    std::erase(m_frames, pFrame);
}

void CWin32WindowSystem::FinishDestroyedFrames()
{
    // Copied: telling a frame deletes its host, which leaves the list.
    const std::vector<CWin32FrameHost*> frames = m_frames;
    for (CWin32FrameHost* pFrame : frames) {
        if (pFrame->IsReadyToFinish())
            pFrame->FinishDestroy();
    }
}
