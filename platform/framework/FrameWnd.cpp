// Frame windows: created on their window system, deleted once their window is gone.
#include "FrameWnd.h"

#include "WindowHost.h"
#include "WindowSystem.h"

const RECT CFrameWnd::rectDefault = {0, 0, 0, 0};

BOOL CFrameWnd::Create(const char*, const char* lpszWindowName, std::uint32_t dwStyle, const RECT& rect, CWnd*,
                       UINT nMenuID)
{
    const std::string_view title = lpszWindowName != nullptr ? lpszWindowName : "";
    std::unique_ptr<IWindowHost> pHost = m_windowSystem.CreateFrameHost(*this, title, dwStyle, rect, nMenuID);
    if (pHost == nullptr)
        return FALSE;
    AttachHost(std::move(pHost), title);
    return TRUE;
}

void CFrameWnd::PostNcDestroy()
{
    delete this;
}
