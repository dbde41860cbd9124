#pragma once

#include <array>

#include "core/bitboard.h"

// Named board regions shared by the whole rules core. They are compile-time
// constants, so they are complete before any static initialiser reads them.

inline constexpr Bitboard mask_file_a{0x0101010101010101ULL << 0};
inline constexpr Bitboard mask_file_b{0x0101010101010101ULL << 1};
inline constexpr Bitboard mask_file_c{0x0101010101010101ULL << 2};
inline constexpr Bitboard mask_file_d{0x0101010101010101ULL << 3};
inline constexpr Bitboard mask_file_e{0x0101010101010101ULL << 4};
inline constexpr Bitboard mask_file_f{0x0101010101010101ULL << 5};
inline constexpr Bitboard mask_file_g{0x0101010101010101ULL << 6};
inline constexpr Bitboard mask_file_h{0x0101010101010101ULL << 7};
inline constexpr Bitboard mask_rank_1{0x00000000000000FFULL << 0};
inline constexpr Bitboard mask_rank_2{0x00000000000000FFULL << 8};
inline constexpr Bitboard mask_rank_3{0x00000000000000FFULL << 16};
inline constexpr Bitboard mask_rank_4{0x00000000000000FFULL << 24};
inline constexpr Bitboard mask_rank_5{0x00000000000000FFULL << 32};
inline constexpr Bitboard mask_rank_6{0x00000000000000FFULL << 40};
inline constexpr Bitboard mask_rank_7{0x00000000000000FFULL << 48};
inline constexpr Bitboard mask_rank_8{0x00000000000000FFULL << 56};

// Groups of ranks and files, halves, quadrants and the centre.
inline constexpr Bitboard mask_ranks_1_2{0x000000000000FFFFULL};
inline constexpr Bitboard mask_ranks_7_8{0xFFFF000000000000ULL};
inline constexpr Bitboard mask_ranks_3_7{0x00FFFFFFFFFF0000ULL};
inline constexpr Bitboard mask_not_file_a{0xFEFEFEFEFEFEFEFEULL};
inline constexpr Bitboard mask_not_file_h{0x7F7F7F7F7F7F7F7FULL};
inline constexpr Bitboard mask_files_a_b{0x0303030303030303ULL};
inline constexpr Bitboard mask_files_a_c{0x0707070707070707ULL};
inline constexpr Bitboard mask_files_g_h{0xC0C0C0C0C0C0C0C0ULL};
inline constexpr Bitboard mask_files_c_h{0xFCFCFCFCFCFCFCFCULL};
inline constexpr Bitboard mask_files_d_h{0xF8F8F8F8F8F8F8F8ULL};
inline constexpr Bitboard mask_files_a_f{0x3F3F3F3F3F3F3F3FULL};
inline constexpr Bitboard mask_files_d_e{0x1818181818181818ULL};
inline constexpr Bitboard mask_files_c_f_pair{0x2424242424242424ULL};
inline constexpr Bitboard mask_files_c_f{0x3C3C3C3C3C3C3C3CULL};
inline constexpr Bitboard mask_files_wings{0xC3C3C3C3C3C3C3C3ULL};
inline constexpr Bitboard mask_centre{0x0000001818000000ULL};
inline constexpr Bitboard mask_wide_centre{0x00003C3C3C3C0000ULL};
inline constexpr Bitboard mask_ranks_1_4{0x00000000FFFFFFFFULL};
inline constexpr Bitboard mask_ranks_5_8{0xFFFFFFFF00000000ULL};
inline constexpr Bitboard mask_files_a_d{0x0F0F0F0F0F0F0F0FULL};
inline constexpr Bitboard mask_files_e_h{0xF0F0F0F0F0F0F0F0ULL};
inline constexpr Bitboard mask_corner_a1{0x0000000000000303ULL};
inline constexpr Bitboard mask_corner_a8{0x0303000000000000ULL};
inline constexpr Bitboard mask_corner_h1{0x000000000000C0C0ULL};
inline constexpr Bitboard mask_corner_h8{0xC0C0000000000000ULL};
inline constexpr Bitboard mask_quadrant_a1{0x000000000F0F0F0FULL};
inline constexpr Bitboard mask_quadrant_a8{0x0F0F0F0F00000000ULL};
inline constexpr Bitboard mask_quadrant_h1{0x00000000F0F0F0F0ULL};
inline constexpr Bitboard mask_quadrant_h8{0xF0F0F0F000000000ULL};

// Diagonals, edges, rings, corners and square colours.
inline constexpr Bitboard mask_all_squares{0xFFFFFFFFFFFFFFFFULL};
inline constexpr Bitboard mask_diagonal_a1_h8{0x8040201008040201ULL};
inline constexpr Bitboard mask_diagonal_h1_a8{0x0102040810204080ULL};
inline constexpr Bitboard mask_long_diagonals{0x8142241818244281ULL};
inline constexpr Bitboard mask_ranks_1_8{0xFF000000000000FFULL};
inline constexpr Bitboard mask_files_a_h{0x8181818181818181ULL};
inline constexpr Bitboard mask_rim{0xFF818181818181FFULL};
inline constexpr Bitboard mask_ring_2{0x007E424242427E00ULL};
inline constexpr Bitboard mask_ring_3{0x00003C24243C0000ULL};
inline constexpr Bitboard mask_corners_h1_a8{0x0100000000000080ULL};
inline constexpr Bitboard mask_corners_a1_h8{0x8000000000000001ULL};
inline constexpr Bitboard mask_corners{0x8100000000000081ULL};
inline constexpr Bitboard mask_light_squares{0x55AA55AA55AA55AAULL};
inline constexpr Bitboard mask_dark_squares{0xAA55AA55AA55AA55ULL};
inline constexpr Bitboard mask_f1_g1{0x0000000000000060ULL};
inline constexpr Bitboard mask_f8_g8{0x6000000000000000ULL};

// Small irregular groups of squares.
inline constexpr Bitboard mask_b1_d1{0x000000000000000EULL};
inline constexpr Bitboard mask_b8_d8{0x0E00000000000000ULL};
inline constexpr Bitboard mask_g1_h1_h2{0x00000000000080C0ULL};
inline constexpr Bitboard mask_h7_g8_h8{0xC080000000000000ULL};
inline constexpr Bitboard mask_a1_c1_a2{0x0000000000000107ULL};
inline constexpr Bitboard mask_a7_a8_c8{0x0701000000000000ULL};
inline constexpr Bitboard mask_a1_d4_diagonal{0x0000000008040201ULL};
inline constexpr Bitboard mask_a1_c1{0x0000000000000007ULL};
inline constexpr Bitboard mask_a8_c8{0x0700000000000000ULL};
inline constexpr Bitboard mask_g1_h1{0x00000000000000C0ULL};
inline constexpr Bitboard mask_g8_h8{0xC000000000000000ULL};
inline constexpr Bitboard mask_b2_d2{0x0000000000000A00ULL};
inline constexpr Bitboard mask_d2_e2{0x0000000000001800ULL};
inline constexpr Bitboard mask_e2_g2{0x0000000000005000ULL};
inline constexpr Bitboard mask_b7_d7{0x000A000000000000ULL};
inline constexpr Bitboard mask_d7_e7{0x0018000000000000ULL};
inline constexpr Bitboard mask_e7_g7{0x0050000000000000ULL};
inline constexpr Bitboard mask_d3_e3{0x0000000000180000ULL};
inline constexpr Bitboard mask_d6_e6{0x0000180000000000ULL};
inline constexpr Bitboard mask_flank_octet{0x0024420000422400ULL};
inline constexpr Bitboard mask_d1_f2{0x0000000000003838ULL};
inline constexpr Bitboard mask_d7_f8{0x3838000000000000ULL};
inline constexpr Bitboard mask_a8_g8{0x7F00000000000000ULL};
inline constexpr Bitboard mask_a1_g1{0x000000000000007FULL};
inline constexpr Bitboard mask_b8_h8{0xFE00000000000000ULL};
inline constexpr Bitboard mask_b1_h1{0x00000000000000FEULL};
inline constexpr Bitboard mask_a2_c4_triangle{0x0000000007030100ULL};
inline constexpr Bitboard mask_e1_h5{0x000000F0F0F0F0F0ULL};
inline constexpr Bitboard mask_e4_h8{0xF0F0F0F0F0000000ULL};
inline constexpr Bitboard mask_a1_d5{0x0000000F0F0F0F0FULL};
inline constexpr Bitboard mask_a4_d8{0x0F0F0F0F0F000000ULL};
inline constexpr Bitboard mask_c1_f5{0x0000003C3C3C3C3CULL};
inline constexpr Bitboard mask_c4_f8{0x3C3C3C3C3C000000ULL};
inline constexpr Bitboard mask_c1_f4{0x000000003C3C3C3CULL};
inline constexpr Bitboard mask_c5_f8{0x3C3C3C3C00000000ULL};

// The single-square sets, entry i holding only square i.
inline constexpr std::array<Bitboard, 64> square_bits = [] {
    std::array<Bitboard, 64> bits{};
    for (int i = 0; i < 64; ++i) {
        bits[i] = Bitboard(std::uint64_t{1} << i);
    }
    return bits;
}();
