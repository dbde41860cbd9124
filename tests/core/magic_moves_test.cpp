#include "core/magic_moves.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "tests/core/square_names.h"

namespace {

using square_names::sq;
using square_names::squares;

// Every subset of every mask, for both sliders: the lookup must equal the ray walk.
TEST(MagicMoves, EveryLookupEqualsSlowAttacksForEveryMaskSubset)
{
    const MagicMoves& magic = MagicMoves::shared();
    std::size_t bishop_subsets = 0;
    std::size_t rook_subsets = 0;
    for (int s = 0; s < 64; ++s) {
        const Square square(s);
        for (const Bitboard& subset : MagicMoves::occupancy_subsets(magic.bishop_mask(square))) {
            ASSERT_EQ(magic.bishop_attacks(square, subset), MagicMoves::slow_bishop_attacks(square, subset))
                << "bishop " << s << " " << subset.value();
            ++bishop_subsets;
        }
        for (const Bitboard& subset : MagicMoves::occupancy_subsets(magic.rook_mask(square))) {
            ASSERT_EQ(magic.rook_attacks(square, subset), MagicMoves::slow_rook_attacks(square, subset))
                << "rook " << s << " " << subset.value();
            ++rook_subsets;
        }
    }
    EXPECT_EQ(bishop_subsets, 5248u);
    EXPECT_EQ(rook_subsets, 102400u);
    EXPECT_TRUE(magic.selftest_ok());
}

TEST(MagicMoves, SquaresOutsideTheMaskDoNotMatter)
{
    const MagicMoves& magic = MagicMoves::shared();
    const Bitboard outside = squares({"a7", "h8", "d4"});
    EXPECT_EQ(magic.bishop_attacks(sq("d4"), outside), magic.bishop_attacks(sq("d4"), Bitboard()));
    EXPECT_EQ(magic.bishop_attacks(sq("d4"), Bitboard()).count(), 13);
    EXPECT_EQ(magic.rook_attacks(sq("a1"), Bitboard()).count(), 14);
    EXPECT_EQ(magic.rook_attacks(sq("a1"), squares({"a2", "b1"})), squares({"a2", "b1"}));
}

TEST(MagicMoves, Masks)
{
    const MagicMoves& magic = MagicMoves::shared();
    EXPECT_EQ(magic.rook_mask(sq("a1")),
              squares({"a2", "a3", "a4", "a5", "a6", "a7", "b1", "c1", "d1", "e1", "f1", "g1"}));
    EXPECT_EQ(magic.bishop_mask(sq("a1")), squares({"b2", "c3", "d4", "e5", "f6", "g7"}));
    EXPECT_EQ(magic.bishop_mask(sq("e1")), squares({"d2", "c3", "b4", "f2", "g3"}));
    EXPECT_EQ(magic.bishop_mask(sq("d4")).count(), 9);
    EXPECT_EQ(magic.bishop_mask(sq("c3")).count(), 7);
    EXPECT_EQ(magic.rook_mask(sq("e4")).count(), 10);
    EXPECT_EQ(magic.rook_mask(sq("h5")).count(), 11);
}

// Only the three squares whose index has a spare bit have unreached indices,
// whose empty attack set then heads the sorted list.
TEST(MagicMoves, AttackListsAreSortedDistinctAndSmall)
{
    const MagicMoves& magic = MagicMoves::shared();
    std::size_t bishop_entries = 0;
    std::size_t rook_entries = 0;
    std::size_t longest_bishop = 0;
    std::size_t longest_rook = 0;
    for (int s = 0; s < 64; ++s) {
        const Square square(s);
        const std::vector<Bitboard>& bishops = magic.bishop_attack_list(square);
        const std::vector<Bitboard>& rooks = magic.rook_attack_list(square);
        EXPECT_TRUE(std::is_sorted(bishops.begin(), bishops.end()));
        EXPECT_TRUE(std::adjacent_find(bishops.begin(), bishops.end()) == bishops.end());
        EXPECT_TRUE(std::is_sorted(rooks.begin(), rooks.end()));
        EXPECT_TRUE(std::adjacent_find(rooks.begin(), rooks.end()) == rooks.end());
        EXPECT_EQ(!bishops.front(), square == sq("d4")) << s;
        EXPECT_EQ(!rooks.front(), square == sq("f6") || square == sq("e8")) << s;
        bishop_entries += bishops.size();
        rook_entries += rooks.size();
        longest_bishop = std::max(longest_bishop, bishops.size());
        longest_rook = std::max(longest_rook, rooks.size());
    }
    EXPECT_EQ(bishop_entries, 1429u);
    EXPECT_EQ(rook_entries, 4902u);
    EXPECT_EQ(longest_bishop, 109u);
    EXPECT_EQ(longest_rook, 144u);
    EXPECT_EQ(magic.table_bytes(), 111232 + 8 * (1429 + 4902));
}

TEST(MagicMoves, OccupancySubsetsInCountingOrder)
{
    const std::vector<Bitboard> subsets = MagicMoves::occupancy_subsets(squares({"b1", "e4", "h8"}));
    ASSERT_EQ(subsets.size(), 8u);
    EXPECT_EQ(subsets[0], Bitboard());
    EXPECT_EQ(subsets[1], squares({"b1"}));
    EXPECT_EQ(subsets[2], squares({"e4"}));
    EXPECT_EQ(subsets[5], squares({"b1", "h8"}));
    EXPECT_EQ(subsets[7], squares({"b1", "e4", "h8"}));
}

}
