#pragma once

#include <array>

#include "core/bitboard.h"
#include "core/square.h"

// Rays and square-pair tables of the board: per square the rays in the eight
// directions and their unions, per pair of squares the ray from one through the
// other and the squares between them. The tables never change, so one copy is
// built on first use and shared by every instance (building is thread-safe);
// an instance is a handle that costs a pointer to construct or copy.
class GeometryTables {
public:
    // Binds to the process-wide tables, building them on first use.
    GeometryTables();

    // Rays from a square to the board edge, the square itself excluded:
    // 0 east, 1 north-east, 2 north, 3 north-west, 4 west, 5 south-west, 6 south, 7 south-east.
    const Bitboard& ray_0(const Square& square) const { return m_tables->rays[0][square.value()]; }
    const Bitboard& ray_1(const Square& square) const { return m_tables->rays[1][square.value()]; }
    const Bitboard& ray_2(const Square& square) const { return m_tables->rays[2][square.value()]; }
    const Bitboard& ray_3(const Square& square) const { return m_tables->rays[3][square.value()]; }
    const Bitboard& ray_4(const Square& square) const { return m_tables->rays[4][square.value()]; }
    const Bitboard& ray_5(const Square& square) const { return m_tables->rays[5][square.value()]; }
    const Bitboard& ray_6(const Square& square) const { return m_tables->rays[6][square.value()]; }
    const Bitboard& ray_7(const Square& square) const { return m_tables->rays[7][square.value()]; }
    // Rank and file, both diagonals, and their union (the square excluded).
    const Bitboard& rook_rays(const Square& square) const { return m_tables->rook_rays[square.value()]; }
    const Bitboard& bishop_rays(const Square& square) const { return m_tables->bishop_rays[square.value()]; }
    const Bitboard& queen_rays(const Square& square) const { return m_tables->queen_rays[square.value()]; }
    // The 3x3 block around the square, the square included, cut at the edges.
    const Bitboard& king_moves(const Square& square) const { return m_tables->king_moves[square.value()]; }

    // The ray from a towards b up to the edge: a excluded, b and beyond included;
    // empty when a == b or the squares share no line.
    const Bitboard& ray_towards(const Square& a, const Square& b) const
    {
        return m_tables->ray_towards[a.value()][b.value()];
    }
    // The squares strictly between two aligned squares; empty otherwise.
    const Bitboard& between(const Square& a, const Square& b) const
    {
        return m_tables->between[a.value()][b.value()];
    }
    // between(a, b) plus a and b, for every pair.
    const Bitboard& between_inclusive(const Square& a, const Square& b) const
    {
        return m_tables->between_inclusive[a.value()][b.value()];
    }

private:
    using SquareTable = std::array<Bitboard, 64>;
    using PairTable = std::array<SquareTable, 64>;

    struct Tables {
        Tables();
        std::array<SquareTable, 8> rays;
        SquareTable rook_rays;
        SquareTable bishop_rays;
        SquareTable queen_rays;
        SquareTable king_moves;
        PairTable ray_towards;
        PairTable between;
        PairTable between_inclusive;
    };

    static const Tables& shared_tables();

    const Tables* m_tables;
};
