#pragma once

#include <array>
#include <cstdint>

// The published Random64 table of the Polyglot opening book format: 12 x 64
// piece-square values (black pawn, white pawn, black knight, ..., white king;
// a1 = 0 .. h8 = 63), 4 castling values, 8 en passant file values and the
// side-to-move value, in that order.
extern const std::array<std::uint64_t, 781> polyglot_random64;

namespace polyglot_offsets {
inline constexpr int castling = 768;
inline constexpr int en_passant = 772;
inline constexpr int side_to_move = 780;
}
