// Data shared by the shell tests: ranking records as "rank.vtd" holds them, and the field of a new game.
#pragma once

#include "Bitmap.h"
#include "CGame.h"
#include "DC.h"

#include <algorithm>
#include <cstdint>
#include <string>

// One 28-byte record: the name in a 20-byte field (cut when longer), score, stage, two reserved bytes.
inline std::string Record(std::string name, std::int32_t nScore, std::int16_t nStage,
                          std::string reserved = {"\0\0", 2})
{
    name.resize(20, '\0');
    for (int i = 0; i < 4; ++i)
        name += char((std::uint32_t(nScore) >> (8 * i)) & 0xff);
    return name + char(nStage & 0xff) + char((nStage >> 8) & 0xff) + reserved;
}

// The built-in places 1 to 5: "くるま", "つくえ", "めがね", "かばん", "いす", 5000 to 1000 points, stages 10 to 6.
inline std::string BuiltIn(int nPlace)
{
    const char* const names[] = {"\x82\xad\x82\xe9\x82\xdc", "\x82\xc2\x82\xad\x82\xa6", "\x82\xdf\x82\xaa\x82\xcb",
                                 "\x82\xa9\x82\xce\x82\xf1", "\x82\xa2\x82\xb7"};
    return Record(names[nPlace - 1], 1000 * (6 - nPlace), std::int16_t(11 - nPlace));
}
inline const std::string BUILT_IN = BuiltIn(1) + BuiltIn(2) + BuiltIn(3) + BuiltIn(4) + BuiltIn(5);

// The 640 x 400 field the core draws for a new game at the current clock.
inline void DrawNewField(CBitmap& bmp)
{
    bmp.CreateBitmap(640, 400);
    CDC dc;
    dc.SelectObject(&bmp);
    CGame().DrawField(dc);
}

inline bool SamePixels(const CBitmap& a, const CBitmap& b)
{
    return std::equal(a.Bits(), a.Bits() + 640 * 400, b.Bits());
}
