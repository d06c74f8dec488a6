// The 16 x 16 application icon, drawn for that size: the yellow "V", a red zig-zag trail led by the white head, and
// stars.
#include "ResourceTables.h"

namespace {

// One table line per pixel row, kept as drawn.
// clang-format off
// Colours of the standard 16-colour palette only.
constexpr ResPaletteEntry PALETTE[] = {
    {'.', RES_BLACK},
    {'y', RES_YELLOW},
    {'r', RES_RED},
    {'w', RES_WHITE},
};

constexpr const char* ROWS[RES_ICON_SMALL_SIZE] = {
    "................",
    "...yy......yy..y",
    "...yy......yy...",
    "....yy....yy....",
    "y...yy....yy....",
    ".....yy..yy.....",
    ".....yy..yy.....",
    "......yyyy....y.",
    ".......yy.......",
    "r.......r.......",
    ".r.....r.r.....w",
    "..r...r...r...r.",
    "...r.r.....r.r..",
    "....r.......r...",
    "................",
    "..........y.....",
};
// clang-format on

} // namespace

const ResImage g_resAppIconSmall = {RES_ICON_SMALL_SIZE, RES_ICON_SMALL_SIZE, PALETTE, ROWS};
