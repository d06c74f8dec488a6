// The process-wide five-place ranking table, place 1 first.
#pragma once

#include "RankEntry.h"

constexpr int RANK_COUNT = 5;

// Its 140-byte image is exactly the content of "rank.vtd".
extern RankEntry g_rankTable[RANK_COUNT];

static_assert(sizeof(g_rankTable) == 140);
