// The main window's menu bar.
#include "ResourceTables.h"
#include "resource.h"

namespace {

constexpr ResMenuItem GAME_POPUP[] = {
    {"Start(&S)", ID_GAME_START, {}},
    {"Exit(&X)", ID_GAME_EXIT, {}},
};

// Ranking stands left of About although its command id is the higher one.
constexpr ResMenuItem MENU_BAR[] = {
    {"Game(&G)", 0, GAME_POPUP},
    {"Ranking(&R)", ID_RANKING, {}},
    {"About(&A)", ID_APP_ABOUT, {}},
};

} // namespace

const std::span<const ResMenuItem> g_resMainMenu = MENU_BAR;
