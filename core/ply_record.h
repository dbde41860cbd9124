#pragma once

#include <cstdint>

#include "core/bitboard.h"
#include "core/move.h"
#include "core/square.h"

// The state of one position in a game's history that the board does not hold.
struct PlyRecord {
    // Pieces of either colour pinned against their own king.
    Bitboard pinned;
    // Pieces of either colour that alone stand between a slider of their side and the enemy king.
    Bitboard discovering;
    // Bit f: white may castle with the rook on file f of rank 1; bit 8 + f: black, rank 8.
    std::uint16_t castling_flags = 0;
    // Half-moves since the last pawn move or capture.
    std::uint16_t halfmove_clock = 0;
    // The move that led here; the null move in the set-up record.
    Move move;
    // Set only when a pawn of the side to move can actually capture en passant.
    Square en_passant;
    Square white_king;
    Square black_king;
};
