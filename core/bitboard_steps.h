#pragma once

#include "core/bitboard.h"
#include "core/bitboard_masks.h"

// Every member of a set moved one square in a direction. A member that would
// wrap from file h to file a (or back) onto the next rank drops out, as does
// one that would leave the board over rank 1 or rank 8.
constexpr Bitboard step_north(Bitboard set) { return set << 8; }
constexpr Bitboard step_south(Bitboard set) { return set >> 8; }
constexpr Bitboard step_east(Bitboard set) { return (set << 1) & mask_not_file_a; }
constexpr Bitboard step_west(Bitboard set) { return (set >> 1) & mask_not_file_h; }
constexpr Bitboard step_north_east(Bitboard set) { return (set << 9) & mask_not_file_a; }
constexpr Bitboard step_north_west(Bitboard set) { return (set << 7) & mask_not_file_h; }
constexpr Bitboard step_south_east(Bitboard set) { return (set >> 7) & mask_not_file_a; }
constexpr Bitboard step_south_west(Bitboard set) { return (set >> 9) & mask_not_file_h; }

// Squares the pawns in the set attack.
constexpr Bitboard white_pawn_attacks_of(Bitboard pawns) { return step_north_east(pawns) | step_north_west(pawns); }
constexpr Bitboard black_pawn_attacks_of(Bitboard pawns) { return step_south_east(pawns) | step_south_west(pawns); }
// Squares from which a pawn of that colour attacks one of the targets: a pawn
// captures diagonally forward, so these are the targets' attacks the other way.
constexpr Bitboard white_pawn_sources_of(Bitboard targets) { return black_pawn_attacks_of(targets); }
constexpr Bitboard black_pawn_sources_of(Bitboard targets) { return white_pawn_attacks_of(targets); }

// Squares the knights in the set attack.
constexpr Bitboard knight_attacks_of(Bitboard knights)
{
    return (((knights >> 6) | (knights << 10)) & mask_files_c_h)
        | (((knights >> 15) | (knights << 17)) & mask_not_file_a)
        | (((knights >> 17) | (knights << 15)) & mask_not_file_h)
        | (((knights >> 10) | (knights << 6)) & mask_files_a_f);
}
