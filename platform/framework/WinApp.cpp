// The one application object, reachable from everywhere through AfxGetApp.
#include "WinApp.h"

#include "Resources.h"

namespace {

CWinApp* g_pApp = nullptr;

} // namespace

CWinApp::CWinApp()
{
    g_pApp = this;
}

CWinApp::~CWinApp()
{
    if (g_pApp == this)
        g_pApp = nullptr;
}

BOOL CWinApp::InitInstance()
{
    return TRUE;
}

void CWinApp::OnWindowSystemLost()
{
}

HICON CWinApp::LoadIcon(UINT nIDResource) const
{
    return FindImageResource(nIDResource) != nullptr ? nIDResource : 0;
}

CWinApp* AfxGetApp()
{
    return g_pApp;
}
