#include "core/bitboard_masks.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>

namespace {

// The squares of files first_file..last_file and ranks first_rank..last_rank.
Bitboard block(char first_file, char last_file, int first_rank, int last_rank)
{
    Bitboard result;
    for (char file = first_file; file <= last_file; ++file) {
        for (int rank = first_rank; rank <= last_rank; ++rank) {
            result.set(Square(std::string{file, static_cast<char>('0' + rank)}));
        }
    }
    return result;
}

// The squares named in a blank-separated list such as "a1 b2".
Bitboard listed(const std::string& names)
{
    std::istringstream stream(names);
    Bitboard result;
    for (std::string name; stream >> name;) {
        result.set(Square(name));
    }
    return result;
}

Bitboard file(char letter) { return block(letter, letter, 1, 8); }
Bitboard rank(int number) { return block('a', 'h', number, number); }

Bitboard square_colour(int parity)
{
    Bitboard result;
    for (int i = 0; i < 64; ++i) {
        if ((i % 8 + i / 8) % 2 == parity) {
            result.set(Square(i));
        }
    }
    return result;
}

struct MaskCase {
    const char* name;
    Bitboard mask;
    Bitboard expected;
};

TEST(BitboardMasksTest, EveryMaskHoldsItsSquares)
{
    const MaskCase cases[] = {
        {"file_a", mask_file_a, file('a')}, {"file_b", mask_file_b, file('b')},
        {"file_c", mask_file_c, file('c')}, {"file_d", mask_file_d, file('d')},
        {"file_e", mask_file_e, file('e')}, {"file_f", mask_file_f, file('f')},
        {"file_g", mask_file_g, file('g')}, {"file_h", mask_file_h, file('h')},
        {"rank_1", mask_rank_1, rank(1)}, {"rank_2", mask_rank_2, rank(2)},
        {"rank_3", mask_rank_3, rank(3)}, {"rank_4", mask_rank_4, rank(4)},
        {"rank_5", mask_rank_5, rank(5)}, {"rank_6", mask_rank_6, rank(6)},
        {"rank_7", mask_rank_7, rank(7)}, {"rank_8", mask_rank_8, rank(8)},
        {"ranks_1_2", mask_ranks_1_2, block('a', 'h', 1, 2)},
        {"ranks_7_8", mask_ranks_7_8, block('a', 'h', 7, 8)},
        {"ranks_3_7", mask_ranks_3_7, block('a', 'h', 3, 7)},
        {"not_file_a", mask_not_file_a, block('b', 'h', 1, 8)},
        {"not_file_h", mask_not_file_h, block('a', 'g', 1, 8)},
        {"files_a_b", mask_files_a_b, block('a', 'b', 1, 8)},
        {"files_a_c", mask_files_a_c, block('a', 'c', 1, 8)},
        {"files_g_h", mask_files_g_h, block('g', 'h', 1, 8)},
        {"files_c_h", mask_files_c_h, block('c', 'h', 1, 8)},
        {"files_d_h", mask_files_d_h, block('d', 'h', 1, 8)},
        {"files_a_f", mask_files_a_f, block('a', 'f', 1, 8)},
        {"files_d_e", mask_files_d_e, block('d', 'e', 1, 8)},
        {"files_c_f_pair", mask_files_c_f_pair, file('c') | file('f')},
        {"files_c_f", mask_files_c_f, block('c', 'f', 1, 8)},
        {"files_wings", mask_files_wings, block('a', 'b', 1, 8) | block('g', 'h', 1, 8)},
        {"centre", mask_centre, listed("d4 e4 d5 e5")},
        {"wide_centre", mask_wide_centre, block('c', 'f', 3, 6)},
        {"ranks_1_4", mask_ranks_1_4, block('a', 'h', 1, 4)},
        {"ranks_5_8", mask_ranks_5_8, block('a', 'h', 5, 8)},
        {"files_a_d", mask_files_a_d, block('a', 'd', 1, 8)},
        {"files_e_h", mask_files_e_h, block('e', 'h', 1, 8)},
        {"corner_a1", mask_corner_a1, listed("a1 b1 a2 b2")},
        {"corner_a8", mask_corner_a8, listed("a7 b7 a8 b8")},
        {"corner_h1", mask_corner_h1, listed("g1 h1 g2 h2")},
        {"corner_h8", mask_corner_h8, listed("g7 h7 g8 h8")},
        {"quadrant_a1", mask_quadrant_a1, block('a', 'd', 1, 4)},
        {"quadrant_a8", mask_quadrant_a8, block('a', 'd', 5, 8)},
        {"quadrant_h1", mask_quadrant_h1, block('e', 'h', 1, 4)},
        {"quadrant_h8", mask_quadrant_h8, block('e', 'h', 5, 8)},
        {"all_squares", mask_all_squares, block('a', 'h', 1, 8)},
        {"diagonal_a1_h8", mask_diagonal_a1_h8, listed("a1 b2 c3 d4 e5 f6 g7 h8")},
        {"diagonal_h1_a8", mask_diagonal_h1_a8, listed("h1 g2 f3 e4 d5 c6 b7 a8")},
        {"long_diagonals", mask_long_diagonals, listed("a1 b2 c3 d4 e5 f6 g7 h8 h1 g2 f3 e4 d5 c6 b7 a8")},
        {"ranks_1_8", mask_ranks_1_8, rank(1) | rank(8)},
        {"files_a_h", mask_files_a_h, file('a') | file('h')},
        {"rim", mask_rim, rank(1) | rank(8) | file('a') | file('h')},
        {"ring_2", mask_ring_2, block('b', 'g', 2, 7) & ~block('c', 'f', 3, 6)},
        {"ring_3", mask_ring_3, block('c', 'f', 3, 6) & ~block('d', 'e', 4, 5)},
        {"corners_h1_a8", mask_corners_h1_a8, listed("h1 a8")},
        {"corners_a1_h8", mask_corners_a1_h8, listed("a1 h8")},
        {"corners", mask_corners, listed("a1 h1 a8 h8")},
        {"light_squares", mask_light_squares, square_colour(1)},
        {"dark_squares", mask_dark_squares, square_colour(0)},
        {"f1_g1", mask_f1_g1, listed("f1 g1")},
        {"f8_g8", mask_f8_g8, listed("f8 g8")},
        {"b1_d1", mask_b1_d1, listed("b1 c1 d1")},
        {"b8_d8", mask_b8_d8, listed("b8 c8 d8")},
        {"g1_h1_h2", mask_g1_h1_h2, listed("g1 h1 h2")},
        {"h7_g8_h8", mask_h7_g8_h8, listed("h7 g8 h8")},
        {"a1_c1_a2", mask_a1_c1_a2, listed("a1 b1 c1 a2")},
        {"a7_a8_c8", mask_a7_a8_c8, listed("a7 a8 b8 c8")},
        {"a1_d4_diagonal", mask_a1_d4_diagonal, listed("a1 b2 c3 d4")},
        {"a1_c1", mask_a1_c1, listed("a1 b1 c1")},
        {"a8_c8", mask_a8_c8, listed("a8 b8 c8")},
        {"g1_h1", mask_g1_h1, listed("g1 h1")},
        {"g8_h8", mask_g8_h8, listed("g8 h8")},
        {"b2_d2", mask_b2_d2, listed("b2 d2")},
        {"d2_e2", mask_d2_e2, listed("d2 e2")},
        {"e2_g2", mask_e2_g2, listed("e2 g2")},
        {"b7_d7", mask_b7_d7, listed("b7 d7")},
        {"d7_e7", mask_d7_e7, listed("d7 e7")},
        {"e7_g7", mask_e7_g7, listed("e7 g7")},
        {"d3_e3", mask_d3_e3, listed("d3 e3")},
        {"d6_e6", mask_d6_e6, listed("d6 e6")},
        {"flank_octet", mask_flank_octet, listed("c2 f2 b3 g3 b6 g6 c7 f7")},
        {"d1_f2", mask_d1_f2, block('d', 'f', 1, 2)},
        {"d7_f8", mask_d7_f8, block('d', 'f', 7, 8)},
        {"a8_g8", mask_a8_g8, block('a', 'g', 8, 8)},
        {"a1_g1", mask_a1_g1, block('a', 'g', 1, 1)},
        {"b8_h8", mask_b8_h8, block('b', 'h', 8, 8)},
        {"b1_h1", mask_b1_h1, block('b', 'h', 1, 1)},
        {"a2_c4_triangle", mask_a2_c4_triangle, listed("a2 a3 b3 a4 b4 c4")},
        {"e1_h5", mask_e1_h5, block('e', 'h', 1, 5)},
        {"e4_h8", mask_e4_h8, block('e', 'h', 4, 8)},
        {"a1_d5", mask_a1_d5, block('a', 'd', 1, 5)},
        {"a4_d8", mask_a4_d8, block('a', 'd', 4, 8)},
        {"c1_f5", mask_c1_f5, block('c', 'f', 1, 5)},
        {"c4_f8", mask_c4_f8, block('c', 'f', 4, 8)},
        {"c1_f4", mask_c1_f4, block('c', 'f', 1, 4)},
        {"c5_f8", mask_c5_f8, block('c', 'f', 5, 8)},
    };
    EXPECT_EQ(std::size(cases), 96u);
    for (const MaskCase& c : cases) {
        EXPECT_EQ(c.mask, c.expected) << c.name;
    }
}

TEST(BitboardMasksTest, RingsAndCentreCoverTheBoardOnce)
{
    EXPECT_EQ(mask_rim.count(), 28);
    EXPECT_EQ(mask_ring_2.count(), 20);
    EXPECT_EQ(mask_ring_3.count(), 12);
    EXPECT_EQ(mask_centre.count(), 4);
    EXPECT_EQ((mask_rim ^ mask_ring_2 ^ mask_ring_3 ^ mask_centre), mask_all_squares);
}

TEST(BitboardMasksTest, SingleSquareTable)
{
    for (int i = 0; i < 64; ++i) {
        EXPECT_EQ(square_bits[i].count(), 1);
        EXPECT_EQ(square_bits[i].first_square(), Square(i));
    }
    EXPECT_EQ(square_bits[0].value(), 1u);
    EXPECT_EQ(square_bits[63].value(), 0x8000000000000000ULL);
}

// The masks must be usable by static initialisers in other files, whatever
// their order: a compile-time read proves they need no start-up code.
static_assert(mask_light_squares.count() == 32);
static_assert(square_bits[28] == Bitboard(std::uint64_t{1} << 28));

}
