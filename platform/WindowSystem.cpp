// The installed window system and the free functions that reach it.
#include "WindowSystem.h"

#include "WindowHost.h"

namespace {

// Until a real one is installed: no windows can be made, no sound is played.
class CNoWindowSystem : public IWindowSystem {
public:
    std::unique_ptr<IWindowHost> CreateFrameHost(CWnd&, std::string_view, std::uint32_t, const RECT&, UINT) override
    {
        return nullptr;
    }
    int GetSystemMetrics(int) override { return 0; }
    BOOL PlaySound(const char*, UINT) override { return FALSE; }
    int Run() override { return 0; }
};

CNoWindowSystem g_noWindowSystem;
IWindowSystem* g_pWindowSystem = nullptr;

} // namespace

IWindowSystem& GetWindowSystem()
{
    if (g_pWindowSystem != nullptr)
        return *g_pWindowSystem;
    return g_noWindowSystem;
}

void SetWindowSystem(IWindowSystem* pSystem)
{
    g_pWindowSystem = pSystem;
}

int GetSystemMetrics(int nIndex)
{
    return GetWindowSystem().GetSystemMetrics(nIndex);
}

BOOL PlaySound(const char* pszSound, void*, UINT fdwSound)
{
    return GetWindowSystem().PlaySound(pszSound, fdwSound);
}
