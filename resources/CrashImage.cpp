// The crash sprite: a burst of pale yellow with orange and red flecks and white sparks on black.
#include "ResourceTables.h"

namespace {

// One table line per pixel row, kept as drawn.
// clang-format off
constexpr ResPaletteEntry PALETTE[] = {
    {'.', RES_BLACK},
    {'y', RES_PALE_YELLOW},
    {'o', RES_ORANGE},
    {'r', RES_RED},
    {'w', RES_WHITE},
};

constexpr const char* ROWS[RES_CRASH_SIZE] = {
    "r.......rooy....ryyy......yyy...",
    "yo......yyyyo..yyyyy.....ryor...",
    "yyor....ryyyo..yyyyy....ryyy....",
    "yyyor....yyyoy.yyyyyr.yyyyor....",
    ".yyyoyy..yyyooyyyyyyryyyyoyr....",
    "..yryyyy.yyyyyyyyyyyryoyyyy.....",
    "..ryyyyyyyoyyyyyywyyyyyyyyr.....",
    "...yyyyyyoyyoooyyoyyyyyyyy......",
    "....royyyyyoyyyyyyyyyoyyyy......",
    ".....ooyyyyyyyyyyyyyyyyyrorrrrro",
    "yyyooroyoyyyyyyyyyyyyyyroyyyyyry",
    "yyyyoyyoyyyyyyyyyywyyyyyyyoyyyyy",
    "ryyyyyyyyyyyyyyyyyyyyyyyyyyyoyro",
    "yrooyyyyyyyyyywyyyyyywyyyyyyyr..",
    "..oyyyyyyyywyyyyyyyyyyyyyyoro...",
    "...yroyyyyyoyyyyyyyyyyyyyyyyyyrr",
    "..yryyyyyywyywyyyyywyyyywyyyyyyy",
    ".oyyyyyyyyyyyyyyyyyyyyyyyyyyyyyo",
    "ryyoyyyywyyywyyyyyyyyyyyyyyyyyyy",
    "yyyyyyyyyyyyyyyyyyyyyyyyooyyryro",
    "yoryoyyyyyyyyyyyyyyyyoyyyoyrroyo",
    "yyyoyyyoyyyyyyyyyyyyyyyyyyror...",
    "oryryyoyyyoyyyyyyyyyyyyyyyoyo...",
    "....rooyyyyyyyyyyyyyyoyyyyyyyy..",
    "....yyyyyyoyoyywyyyyyyyyyyoyoor.",
    "...yyyyyyyyyoyyyoyyyyyoooyyyyoyo",
    "...oyyyooyyyyyyyyyyyyyr.yyoyyyyy",
    "..rryyyroyoryyyyyryyyor...ryyyyo",
    "..yyoyyy...yyyyyyyyyyyr.....yooy",
    "..rry......royyyr.yyyoo.......or",
    ".yr........ryyyyy.yyyyy.........",
    "...........oyyyr...yyyy.........",
};
// clang-format on

} // namespace

const ResImage g_resCrashImage = {RES_CRASH_SIZE, RES_CRASH_SIZE, PALETTE, ROWS};
