// The code page 932 tables the conversion uses, written by tools/cp932-export from the C library's converter.
#pragma once

#include <cstddef>
#include <cstdint>

// A byte or byte pair that is no character, or a character that has no code page 932 form.
constexpr std::uint16_t CP932_NONE = 0xFFFF;
constexpr std::size_t CP932_SINGLE_COUNT = 256;
// Every trail byte of a pair lies in this range.
constexpr int CP932_TRAIL_FIRST = 0x40;
constexpr int CP932_TRAIL_LAST = 0xFC;
constexpr std::size_t CP932_TRAIL_COUNT = CP932_TRAIL_LAST - CP932_TRAIL_FIRST + 1;

// The character of each byte on its own; CP932_NONE for lead bytes and bytes that are no character.
extern const std::uint16_t g_cp932Single[CP932_SINGLE_COUNT];
// The row of g_cp932Double for each lead byte; CP932_NO_ROW when no pair starting with the byte is a character.
constexpr std::uint8_t CP932_NO_ROW = 0xFF;
extern const std::uint8_t g_cp932LeadRow[CP932_SINGLE_COUNT];
// The character of each pair, indexed by the lead byte's row and trail byte - CP932_TRAIL_FIRST.
extern const std::uint16_t g_cp932Double[][CP932_TRAIL_COUNT];

// A character whose code is not the lowest one that decodes to it: a preferred duplicate, a character encoded
// though no code decodes to it, or (code CP932_NONE) one that decodes but is never encoded.
struct Cp932Encoding {
    std::uint16_t wch;
    std::uint16_t code; // one byte, or lead << 8 | trail
};
// Sorted by character.
extern const Cp932Encoding g_cp932Encodings[];
extern const std::size_t g_cp932EncodingCount;

// Characters that are accepted and written as no bytes at all (tags).
extern const char32_t g_cp932IgnoredFirst, g_cp932IgnoredLast;
