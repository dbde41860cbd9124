#pragma once

#include <array>

#include "core/bitboard.h"
#include "core/magic_moves.h"
#include "core/square.h"

// Squares attacked by a knight, king, bishop, rook or queen on a given square,
// the sliders under a given occupancy. The tables never change, so one copy is
// built on first use and shared (building is thread-safe); an instance is a
// handle that costs a pointer to construct or copy.
class AttackTables {
public:
    // Binds to the process-wide tables, building them on first use; passes on
    // the errors of MagicMoves::MagicMoves.
    AttackTables();

    const Bitboard& knight_attacks(const Square& square) const { return m_tables->knight[square.value()]; }
    // The up to eight neighbours, the square itself excluded.
    const Bitboard& king_attacks(const Square& square) const { return m_tables->king[square.value()]; }
    // The same for the square of a one-square set.
    const Bitboard& knight_attacks(const Bitboard& piece) const { return knight_attacks(piece.square_of_single_bit()); }
    const Bitboard& king_attacks(const Bitboard& piece) const { return king_attacks(piece.square_of_single_bit()); }

    // Slider attacks under an occupancy of both colours: each ray up to and
    // including its first occupied square.
    const Bitboard& bishop_attacks(const Square& square, const Bitboard& occupancy) const
    {
        return m_tables->magic.bishop_attacks(square, occupancy);
    }
    const Bitboard& rook_attacks(const Square& square, const Bitboard& occupancy) const
    {
        return m_tables->magic.rook_attacks(square, occupancy);
    }
    Bitboard queen_attacks(const Square& square, const Bitboard& occupancy) const
    {
        return bishop_attacks(square, occupancy) | rook_attacks(square, occupancy);
    }
    const Bitboard& bishop_attacks(const Bitboard& piece, const Bitboard& occupancy) const
    {
        return bishop_attacks(piece.square_of_single_bit(), occupancy);
    }
    const Bitboard& rook_attacks(const Bitboard& piece, const Bitboard& occupancy) const
    {
        return rook_attacks(piece.square_of_single_bit(), occupancy);
    }
    Bitboard queen_attacks(const Bitboard& piece, const Bitboard& occupancy) const
    {
        return queen_attacks(piece.square_of_single_bit(), occupancy);
    }

    // The slider lookup itself.
    const MagicMoves& magic_moves() const { return m_tables->magic; }

private:
    struct Tables {
        Tables();
        const MagicMoves& magic;
        std::array<Bitboard, 64> knight;
        std::array<Bitboard, 64> king;
    };

    static const Tables& shared_tables();

    const Tables* m_tables;
};
