// The ranking table with its built-in entries, filled at compile time.
#include "RankTable.h"

// Names are code page 932: "くるま", "つくえ", "めがね", "かばん", "いす".
// The remaining name bytes and the reserved bytes are zero.
constinit RankEntry g_rankTable[RANK_COUNT] = {
    {"\x82\xad\x82\xe9\x82\xdc", 5000, 10, {}}, {"\x82\xc2\x82\xad\x82\xa6", 4000, 9, {}},
    {"\x82\xdf\x82\xaa\x82\xcb", 3000, 8, {}},  {"\x82\xa9\x82\xce\x82\xf1", 2000, 7, {}},
    {"\x82\xa2\x82\xb7", 1000, 6, {}},
};
