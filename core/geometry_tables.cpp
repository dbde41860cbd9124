#include "core/geometry_tables.h"

#include "core/bitboard_masks.h"
#include "core/bitboard_steps.h"

namespace {

// One step of a set in a direction, numbered from east counter-clockwise.
Bitboard step(const Bitboard& set, int direction)
{
    switch (direction) {
    case 0: return step_east(set);
    case 1: return step_north_east(set);
    case 2: return step_north(set);
    case 3: return step_north_west(set);
    case 4: return step_west(set);
    case 5: return step_south_west(set);
    case 6: return step_south(set);
    default: return step_south_east(set);
    }
}

bool same_rank(int a, int b) { return a / 8 == b / 8; }
bool same_file(int a, int b) { return a % 8 == b % 8; }

// Squares a + step, a + 2 step, ... strictly below b.
Bitboard walk_between(int a, int b, int step_size)
{
    Bitboard squares;
    for (int s = a + step_size; s < b; s += step_size)
        squares.set(Square(s));
    return squares;
}

Bitboard squares_between(int a, int b)
{
    const int file_difference = a % 8 - b % 8;
    const int rank_difference = a / 8 - b / 8;
    if (same_rank(a, b))
        return walk_between(a, b, 1);
    if (same_file(a, b))
        return walk_between(a, b, 8);
    if (file_difference == rank_difference)
        return walk_between(a, b, 9);
    if (file_difference == -rank_difference)
        return walk_between(a, b, 7);
    return Bitboard();
}

// Which of the eight direction tables leads from a through b, or -1 when none does.
int direction_towards(int a, int b)
{
    if (a < b) {
        const int d = b - a;
        if (same_rank(a, b))
            return 0;
        if (d % 9 == 0 && a % 8 < b % 8)
            return 1;
        if (d % 8 == 0)
            return 2;
        if (d % 7 == 0 && b % 8 < a % 8)
            return 3;
    } else if (a > b) {
        const int d = a - b;
        if (same_rank(a, b))
            return 4;
        if (d % 9 == 0 && b % 8 < a % 8)
            return 5;
        if (d % 8 == 0)
            return 6;
        if (d % 7 == 0 && a % 8 < b % 8)
            return 7;
    }
    return -1;
}

}

GeometryTables::Tables::Tables()
{
    for (int s = 0; s < 64; ++s) {
        const Square square(s);
        const Bitboard own = square.bit();
        for (int direction = 0; direction < 8; ++direction) {
            Bitboard t = own;
            for (int i = 0; i < 8; ++i)
                t |= step(t, direction);
            rays[direction][s] = t & ~own;
        }

        Bitboard file = own;
        Bitboard rank = own;
        Bitboard diagonal = own;
        Bitboard anti_diagonal = own;
        for (int i = 0; i < 8; ++i) {
            file |= (file << 8) | (file >> 8);
            rank |= (rank << 1) & mask_not_file_a;
            rank |= (rank >> 1) & mask_not_file_h;
            diagonal |= (diagonal << 9) & mask_not_file_a;
            diagonal |= (diagonal >> 9) & mask_not_file_h;
            anti_diagonal |= (anti_diagonal << 7) & mask_not_file_h;
            anti_diagonal |= (anti_diagonal >> 7) & mask_not_file_a;
        }
        rook_rays[s] = (file | rank) & ~own;
        bishop_rays[s] = (diagonal | anti_diagonal) & ~own;
        queen_rays[s] = rook_rays[s] | bishop_rays[s];

        Bitboard block = own;
        block |= (block >> 1) & mask_not_file_h;
        block |= (block << 1) & mask_not_file_a;
        block |= block << 8;
        block |= block >> 8;
        king_moves[s] = block;
    }

    for (int a = 0; a < 64; ++a) {
        for (int b = 0; b < 64; ++b) {
            between[a][b] = a < b ? squares_between(a, b) : squares_between(b, a);
            between_inclusive[a][b] = between[a][b] | Square(a).bit() | Square(b).bit();
            const int direction = direction_towards(a, b);
            ray_towards[a][b] = direction < 0 ? Bitboard() : rays[direction][a];
        }
    }
}

GeometryTables::GeometryTables() : m_tables(&shared_tables()) {}

const GeometryTables::Tables& GeometryTables::shared_tables()
{
    static const Tables tables;
    return tables;
}
