#pragma once

#include <array>
#include <cstdint>

// The magic data of one square for one slider kind: the multiplier and the
// right shift that turn a masked occupancy into a table index of 64 - shift bits.
struct MagicRecord {
    std::uint64_t magic;
    std::uint32_t shift;
};

// Built-in records by square (a1 = 0 .. h8 = 63), found by tools/magic_finder.
extern const std::array<MagicRecord, 64> bishop_magic_records;
extern const std::array<MagicRecord, 64> rook_magic_records;
