#include "core/chess960.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

#include "core/chess_position.h"
#include "core/move_generator.h"

namespace {

// The usual (Scharnagl) numbering, written from its definition: light bishop,
// dark bishop, queen, then the knight pair, each digit taken from the number in
// turn. It orders the same positions differently from ours.
std::string scharnagl_back_rank(int n)
{
    std::string rank(8, ' ');
    rank[2 * (n % 4) + 1] = 'B';
    n /= 4;
    rank[2 * (n % 4)] = 'B';
    n /= 4;
    auto put = [&rank](int place, char piece) {
        for (char& square : rank)
            if (square == ' ' && place-- == 0) {
                square = piece;
                return;
            }
    };
    put(n % 6, 'Q');
    n /= 6;
    static const int knights[10][2] = {{0, 1}, {0, 2}, {0, 3}, {0, 4}, {1, 2}, {1, 3}, {1, 4}, {2, 3}, {2, 4}, {3, 4}};
    put(knights[n][1], 'N');
    put(knights[n][0], 'N');
    put(0, 'R');
    put(0, 'K');
    put(0, 'R');
    return rank;
}

// Our number from the digits of the same arrangement: dark bishop, light bishop, queen, knights.
int ours_from_scharnagl(int n)
{
    const int light = n % 4;
    const int dark = (n / 4) % 4;
    const int queen = (n / 16) % 6;
    const int knights = n / 96;
    return 240 * dark + 60 * light + 10 * queen + knights;
}

TEST(Chess960, NumberedBackRanks)
{
    EXPECT_EQ(chess960_back_rank(0), "BBQNNRKR");
    EXPECT_EQ(chess960_back_rank(1), "BBQNRNKR");
    EXPECT_EQ(chess960_back_rank(385), "RNBQKBNR");
    EXPECT_EQ(chess960_back_rank(959), "RKRNNQBB");
    EXPECT_EQ(scharnagl_back_rank(518), "RNBQKBNR");
    for (int n = 0; n < 960; ++n)
        EXPECT_EQ(chess960_back_rank(static_cast<std::uint32_t>(ours_from_scharnagl(n))), scharnagl_back_rank(n)) << n;
}

TEST(Chess960, All960AreDistinctAndValid)
{
    std::set<std::string> seen;
    for (std::uint32_t n = 0; n < 960; ++n) {
        const std::string rank = chess960_back_rank(n);
        seen.insert(rank);
        const auto king = rank.find('K');
        EXPECT_LT(rank.find('R'), king) << n;
        EXPECT_GT(rank.rfind('R'), king) << n;
        EXPECT_NE(rank.find('B') % 2, rank.rfind('B') % 2) << n;
    }
    EXPECT_EQ(seen.size(), 960u);
}

TEST(Chess960, SetUpPositions)
{
    struct Case {
        std::uint32_t number;
        const char* fen;
    };
    const Case cases[] = {
        {385, "rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w KQkq - 0 1"},
        {0, "bbqnnrkr/pppppppp/8/8/8/8/PPPPPPPP/BBQNNRKR w FHfh - 0 1"},
        {959, "rkrnnqbb/pppppppp/8/8/8/8/PPPPPPPP/RKRNNQBB w ACac - 0 1"},
    };
    for (const Case& c : cases) {
        ChessPosition position;
        position.set_fen("4k3/8/8/8/8/8/8/4K3 b - - 7 30");
        position.set_chess960_position(c.number);
        EXPECT_EQ(position.fen(), c.fen);
        EXPECT_EQ(position.start_fen(), c.fen);
        EXPECT_TRUE(position.move_history().empty());
        EXPECT_EQ(position.ply_records().size(), 1u);
        EXPECT_FALSE(position.chess960());
        // Keys and attack information are those of the same text read afresh.
        ChessPosition read;
        read.set_fen(c.fen);
        EXPECT_EQ(position.hash_key(), read.hash_key());
        EXPECT_EQ(position.white_attacked(), read.white_attacked());
        EXPECT_EQ(position.material().text(), "KQRRBBNNPPPPPPPPkqrrbbnnpppppppp");
        MoveList list;
        MoveGenerator generator;
        generator.generate(position, list);
        EXPECT_GT(list.size(), 0u);
    }
}

TEST(Chess960, LargeOrNegativeNumbersPickAtRandom)
{
    std::set<std::string> all;
    for (std::uint32_t n = 0; n < 960; ++n)
        all.insert(chess960_back_rank(n));
    for (std::uint32_t number : {960u, static_cast<std::uint32_t>(-1)}) {
        ChessPosition position;
        position.setup_chess960(number);
        const std::string fen = position.fen();
        const std::string white_rank = fen.substr(fen.find(' ') - 8, 8);
        EXPECT_TRUE(all.count(white_rank)) << fen;
        EXPECT_EQ(fen.substr(fen.size() - 6), " - 0 1");
    }
    EXPECT_LT(random_chess960_number(), 960u);
}

TEST(Chess960, RandomStartsInARowAreIndependent)
{
    // Drawn as fast as New game could ever be pressed: a choice that follows
    // the clock gives the same few starts here. 300 independent draws miss
    // one of the 16 bishop pairs or 6 king files with odds far below 1e-6.
    std::set<std::string> bishops;
    std::set<std::size_t> kings;
    for (int i = 0; i < 300; ++i) {
        const std::string rank = chess960_back_rank(random_chess960_number());
        bishops.insert(std::to_string(rank.find('B')) + std::to_string(rank.rfind('B')));
        kings.insert(rank.find('K'));
    }
    EXPECT_EQ(bishops.size(), 16u);
    EXPECT_EQ(kings.size(), 6u);
}

}
