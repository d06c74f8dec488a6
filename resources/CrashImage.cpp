// The crash sprite: a burst of pale yellow with orange and red flecks and white sparks on black.
#include "ResourceTables.h"

namespace {

constexpr ResPaletteEntry kPalette[] = {
    {'.', RES_BLACK},
    {'y', RES_PALE_YELLOW},
    {'o', RES_ORANGE},
    {'r', RES_RED},
    {'w', RES_WHITE},
};

constexpr const char* kRows[RES_CRASH_SIZE] = {
    ".........yo...yryr..............",
    "........yyoyyoryyyyy............",
    "........yyyyoyoyyyyyoy.yyyy.....",
    "........yyyroyyyyryyyyyyyoo.....",
    "....ryyyyyyryyoyyoyyroyyory.....",
    "...yoryoyyyyyyyyyyyyoyyyyyy.....",
    "...yyyyyryyoyyyyyyoyyyyooyoyy...",
    "...yyoyyryyyyyyyyyyyyyyoyyryyy..",
    "...yyoyyoyyyyyywyyyyyyyyyryyyy..",
    "..yoyyyyyyyyyyyyyyyyyyyyyyyyyy..",
    ".yyyryyyyyyyywywyyyyyoryyyyyyr..",
    "yyyyyooyyyyoyyyyyyyyyyyoyyyyrr..",
    "yyryyyyyoyyyyyywyywoyyyryyyyyoyr",
    ".rryoyyyyyyyyyyyyywyyyyyyyyyyoyy",
    ".oyoryyyyyyyyyyyyyyyyyyyyyryyyyy",
    "yrroyyyyyyyyyyyyywyyyyyyyyyyyyyy",
    "yyooyyyyyyywyyyyyyoywyyyyyyyoyyy",
    "yyoyyyyyyyyyyyyyyyyyyyyyyyryyoo.",
    "yrryryyyyyyywwyyyyyyywyyyyryoor.",
    "oyyyooyoyyyyyyyyyyyyyyyyyyyyyoy.",
    "..yyroyyyoyyyyyyyyyyoyyyyyyyroy.",
    "..yyryyyyyyyyyyyyyyyyyyyyyyyoyy.",
    "..yyyyyryyyyyyyyyyyyyyyyyyyyroy.",
    "...yooyoyyyyyyoyyyyyyyyyyyyyyyyy",
    "....yrryyyyyyyyyyyyyyyyyoyyyyyor",
    "....yrryyyoyyyyyyyyyyyyoyyyyoyyr",
    "....oyyryyoyyyyyoyyyyyyyryoyroyy",
    "....yooyyyyyyyyrrroyryyyoo...yoo",
    "....r...yoyoyyyyyyyyyyyyyy......",
    "........yryryyyoyyyryyyrry......",
    ".........ooyyyyoyyyyyyoroy......",
    ".........yy.......yy..yyyyo.....",
};

} // namespace

const ResImage g_resCrashImage = {RES_CRASH_SIZE, RES_CRASH_SIZE, kPalette, kRows};
