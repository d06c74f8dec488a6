// The application icon: a black field with yellow stars, a red zig-zag trail and a yellow "V".
#include "ResourceTables.h"

namespace {

// One table line per pixel row, kept as drawn.
// clang-format off
// Colours of the standard 16-colour palette only.
constexpr ResPaletteEntry PALETTE[] = {
    {'.', RES_BLACK},
    {'y', RES_YELLOW},
    {'r', RES_RED},
};

constexpr const char* ROWS[RES_ICON_SIZE] = {
    "................................",
    "..............y...y.............",
    ".......yyy............yyy..y....",
    "...y...yyy............yyy.......",
    ".......yyyy..........yyyy.......",
    "........yyy..........yyy........",
    "........yyy..........yyy........",
    ".y......yyyy........yyyy........",
    ".........yyy........yyy.........",
    ".........yyyy......yyyy.........",
    "..........yyy......yyy.......y..",
    "..........yyyy....yyyy..........",
    ".....y.....yyy....yyy.y.........",
    "...........yyy....yyy...........",
    "...........yyyy..yyyy.........y.",
    "............yyy..yyy............",
    ".........y..yyyyyyyy............",
    ".............yyyyyy.......y.....",
    ".............yyyyyy.............",
    "..y..........yyyyyy.............",
    "..............yyyy..............",
    "..............yyyy...........y..",
    ".....y...r.....yy...............",
    "........r.r.....r...............",
    ".......r...r...r.r.........r....",
    "r.....r.....r.r...r.......r.r...",
    ".r...r.......r.....r.....r...r..",
    "..r.r...............r...r.....r.",
    "...r.................r.r.......r",
    "...........y..........r.........",
    "...................y............",
    "..........................y.....",
};
// clang-format on

} // namespace

const ResImage g_resAppIcon = {RES_ICON_SIZE, RES_ICON_SIZE, PALETTE, ROWS};
