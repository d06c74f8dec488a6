// One ranking record: the same 28 bytes in memory and in "rank.vtd".
#pragma once

#include <bit>
#include <cstddef>
#include <cstdint>

// Records are copied to and from the file as raw bytes, so the file's
// little-endian integers must be the machine's own byte order.
static_assert(std::endian::native == std::endian::little, "the ranking file is little-endian");

constexpr std::size_t RANK_NAME_SIZE = 20;

struct RankEntry {
    // Code page 932 text, NUL-terminated when the program wrote it; bytes
    // behind the NUL carry no meaning and are never cleared.
    char szName[RANK_NAME_SIZE];
    std::int32_t nScore;
    std::int16_t nStage;
    // Never written by the program; travels with its record.
    std::uint8_t byReserved[2];
};

static_assert(sizeof(RankEntry) == 28);
static_assert(offsetof(RankEntry, szName) == 0);
static_assert(offsetof(RankEntry, nScore) == 20);
static_assert(offsetof(RankEntry, nStage) == 24);
static_assert(offsetof(RankEntry, byReserved) == 26);
