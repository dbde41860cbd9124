#pragma once

#include <array>
#include <cstdint>

// The published Polyglot random table: 768 piece-square numbers at
// 64 * kind + square (kind 0..11: black pawn, white pawn, black knight, white
// knight, ..., black king, white king), then castling (white short, white long,
// black short, black long), en passant files a..h, and white to move.
inline constexpr std::size_t polyglot_castling_offset = 768;
inline constexpr std::size_t polyglot_en_passant_offset = 772;
inline constexpr std::size_t polyglot_white_to_move_offset = 780;

extern const std::array<std::uint64_t, 781> Random64;
