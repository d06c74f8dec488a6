// Finds a compiled-in resource by its identifier.
#include "Resources.h"

#include "ResourceTables.h"
#include "resource.h"

const ResImage* FindImageResource(unsigned nID)
{
    switch (nID) {
    case IDI_APPICON:
        return &g_resAppIcon;
    case IDI_APPICON_SMALL:
        return &g_resAppIconSmall;
    case IDB_CRASH:
        return &g_resCrashImage;
    case IDB_CRASHMASK:
        return &g_resCrashMask;
    default:
        return nullptr;
    }
}

const ResDialog* FindDialogResource(unsigned nID)
{
    switch (nID) {
    case IDD_NAME:
        return &g_resNameDialog;
    case IDD_ABOUT:
        return &g_resAboutDialog;
    default:
        return nullptr;
    }
}

std::span<const ResMenuItem> FindMenuResource(unsigned nID)
{
    if (nID == IDR_MAINMENU)
        return g_resMainMenu;
    return {};
}
