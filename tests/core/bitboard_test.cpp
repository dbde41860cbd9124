#include "core/bitboard.h"

#include <gtest/gtest.h>

#include <random>
#include <string>

namespace {

int lowest_index_by_loop(std::uint64_t value)
{
    for (int i = 0; i < 64; ++i) {
        if ((value >> i) & 1) {
            return i;
        }
    }
    return 64;
}

int count_by_loop(std::uint64_t value)
{
    int count = 0;
    for (int i = 0; i < 64; ++i) {
        count += static_cast<int>((value >> i) & 1);
    }
    return count;
}

std::uint64_t transform_by_loop(std::uint64_t value, int (*map)(int))
{
    std::uint64_t result = 0;
    for (int i = 0; i < 64; ++i) {
        if ((value >> i) & 1) {
            result |= std::uint64_t{1} << map(i);
        }
    }
    return result;
}

std::vector<std::uint64_t> sample_words()
{
    std::vector<std::uint64_t> words = {0, 1, 0x8000000000000000ULL, ~std::uint64_t{0}, 0x8000000000000001ULL};
    for (int i = 0; i < 64; ++i) {
        words.push_back(std::uint64_t{1} << i);
        words.push_back(~std::uint64_t{0} << i);
    }
    std::mt19937_64 random(20261208);
    for (int i = 0; i < 2000; ++i) {
        words.push_back(random() & random());
    }
    return words;
}

TEST(BitboardTest, ScansAndCountsAgreeWithPlainLoops)
{
    for (std::uint64_t word : sample_words()) {
        const Bitboard board(word);
        EXPECT_EQ(board.first_square().value(), static_cast<unsigned>(lowest_index_by_loop(word))) << word;
        EXPECT_EQ(board.count(), count_by_loop(word)) << word;
        EXPECT_EQ(popcount(word), count_by_loop(word)) << word;
        EXPECT_EQ(board.is_single(), count_by_loop(word) == 1) << word;
        std::vector<Square> expected;
        for (int i = 0; i < 64; ++i) {
            if ((word >> i) & 1) {
                expected.push_back(Square(i));
            }
        }
        EXPECT_EQ(board.squares(), expected);
        Bitboard rest = board;
        for (const Square& square : expected) {
            EXPECT_EQ(rest.pop_first_square(), square);
        }
        EXPECT_FALSE(rest);
    }
}

TEST(BitboardTest, SingleBitScanOnEveryBit)
{
    for (int i = 0; i < 64; ++i) {
        EXPECT_EQ(Bitboard(std::uint64_t{1} << i).square_of_single_bit(), Square(i));
    }
}

TEST(BitboardTest, PoppingTheEmptySet)
{
    Bitboard empty;
    EXPECT_EQ(empty.first_square(), Square(64));
    EXPECT_EQ(empty.pop_index(), 64);
    EXPECT_EQ(empty.pop_first_square(), Square(64));
    EXPECT_EQ(empty.pop_first_bit(), Bitboard());
    EXPECT_FALSE(empty);
    EXPECT_FALSE(empty.is_single());
    Bitboard pair{Square("e4"), Square("h8")};
    EXPECT_EQ(pair.pop_first_square(), Square("e4"));
    EXPECT_EQ(pair, Bitboard{Square("h8")});
    Bitboard two{Square("c3"), Square("d5")};
    EXPECT_EQ(two.pop_first_bit(), Bitboard{Square("c3")});
    EXPECT_EQ(two.pop_index(), 35);
}

TEST(BitboardTest, FlipAndMirrorMoveEverySquare)
{
    for (std::uint64_t word : sample_words()) {
        Bitboard flipped(word);
        flipped.flip_ranks();
        EXPECT_EQ(flipped.value(), transform_by_loop(word, [](int i) { return i ^ 56; }));
        Bitboard mirrored(word);
        mirrored.mirror_files();
        EXPECT_EQ(mirrored.value(), transform_by_loop(word, [](int i) { return (i & 56) + 7 - (i & 7); }));
    }
}

TEST(BitboardTest, ShiftCountsAreTakenModulo64)
{
    const Bitboard rank_2(0xFF00);
    EXPECT_EQ(rank_2 << 64, rank_2);
    EXPECT_EQ(rank_2 >> 64, rank_2);
    EXPECT_EQ(rank_2 << 8, Bitboard(0xFF0000));
    EXPECT_EQ(rank_2 << 72, Bitboard(0xFF0000));
    EXPECT_EQ(rank_2 >> 8, Bitboard(0xFF));
    EXPECT_EQ(rank_2 << -56, Bitboard(0xFF0000));
    Bitboard shifted = rank_2;
    shifted <<= 128;
    EXPECT_EQ(shifted, rank_2);
    shifted >>= 65;
    EXPECT_EQ(shifted, Bitboard(0x7F80));
}

TEST(BitboardTest, SetOperations)
{
    Bitboard board;
    board.set(Square(3));
    board.set(Square(67));
    EXPECT_EQ(board, Bitboard(0x8));
    board.set(Square(63));
    board.reset(Square(127));
    EXPECT_EQ(board, Bitboard(0x8));
    EXPECT_EQ((Bitboard(0xF0) & Bitboard(0x3C)).value(), 0x30u);
    EXPECT_EQ((Bitboard(0xF0) | Bitboard(0x0F)).value(), 0xFFu);
    EXPECT_EQ((Bitboard(0xF0) ^ Bitboard(0x3C)).value(), 0xCCu);
    EXPECT_EQ((~Bitboard()).count(), 64);
    EXPECT_TRUE(Bitboard(1) < Bitboard(0x8000000000000000ULL));
    EXPECT_TRUE(Bitboard(0x8000000000000000ULL) > Bitboard(0x7FFFFFFFFFFFFFFFULL));
    Bitboard compound(0xFF);
    compound &= 0x0F;
    compound |= Bitboard(0x100);
    compound ^= 0x1;
    EXPECT_EQ(compound.value(), 0x10Eu);
    compound.clear();
    EXPECT_FALSE(compound);
}

TEST(BitboardTest, TextFormShowsRankEightFirst)
{
    const std::string zero_row = "00000000\n";
    std::string expected = "8000000000000001\n";
    expected += "00000001\n";
    for (int i = 0; i < 6; ++i) {
        expected += zero_row;
    }
    expected += "10000000\n";
    const Bitboard corners{Square("a1"), Square("h8")};
    EXPECT_EQ(corners.to_string(), expected);
    testing::internal::CaptureStdout();
    corners.print();
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "\n" + expected);

    std::string empty = "0000000000000000\n";
    for (int i = 0; i < 8; ++i) {
        empty += zero_row;
    }
    EXPECT_EQ(Bitboard().to_string(), empty);
}

}
