#pragma once

#include <array>
#include <cstdint>
#include <vector>

#include "core/board_position.h"
#include "core/move.h"
#include "core/square.h"

// The Polyglot key of a position, kept incrementally: a stack of piece-placement
// keys and a stack of pawn-only keys, one entry per position since the last
// set-up, pushed by update() for each made move and popped by pop() for each
// take-back. Castling rights, the en passant square and the side to move are
// not stacked: key() adds them from the caller's current state, so changes to
// them never need undoing. The owning position passes that state in; the key
// object holds no reference to its owner, so copying a position cannot leave
// it pointing at another one.
class PositionHash {
public:
    // Both stacks hold one entry 0 (the empty board).
    PositionHash();

    // Both stacks restart with the keys of the board's pieces.
    void recompute(const BoardPosition& board);
    // Pushes the keys of the position after the move (made on the board before or after this call).
    void update(const Move& move);
    // Removes the top entry of both stacks; at least one entry must stay.
    void pop();

    // The Polyglot key of the current placement under the given castling flags
    // (bit f: white rook on file f; bit 8 + f: black), en passant square (64 =
    // none) and side to move (1 white, 0 black).
    std::uint64_t key(std::uint16_t castling_flags, const Square& en_passant, std::uint32_t side_to_move) const;
    // The castling part of key() alone; 0 without castling rights.
    static std::uint64_t castling_key(std::uint16_t castling_flags);
    // The top of the pawn-key stack.
    std::uint64_t& top() { return m_pawn_keys.back(); }
    std::uint64_t top() const { return m_pawn_keys.back(); }
    // The top of the placement-key stack.
    std::uint64_t placement_key() const { return m_full_keys.back(); }

private:
    struct Tables {
        Tables();
        std::array<std::array<std::uint64_t, 64>, 15> piece_square;
        std::array<std::array<std::uint64_t, 64>, 15> pawn;
        std::array<std::uint64_t, 4> castling;
        std::array<std::uint64_t, 8> en_passant_file;
        std::uint64_t side;
    };

    static const Tables& tables();

    std::vector<std::uint64_t> m_full_keys;
    std::vector<std::uint64_t> m_pawn_keys;
};
