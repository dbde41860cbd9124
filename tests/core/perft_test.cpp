#include <gtest/gtest.h>

#include <vector>

#include "tests/core/perft_cases.h"
#include "tests/core/perft_walk.h"

namespace {

class Perft : public testing::TestWithParam<PerftCase> {};

TEST_P(Perft, CountsMatchPublishedValues)
{
    const PerftCase& c = GetParam();
    ChessPosition position;
    position.set_fen(c.fen);
    const std::string fen_before = position.fen();
    const std::uint64_t key_before = position.hash_key();
    PerftWalk walk;
    EXPECT_EQ(walk.count(position, c.depth), c.nodes) << c.fen;
    // Every move made was taken back.
    EXPECT_EQ(position.fen(), fen_before);
    EXPECT_EQ(position.hash_key(), key_before);
    EXPECT_EQ(position.ply_records().size(), 1u);
}

using namespace perft_fens;

INSTANTIATE_TEST_SUITE_P(Classic, Perft, testing::ValuesIn(std::vector<PerftCase>{
    {start, 1, 20}, {start, 2, 400}, {start, 3, 8902}, {start, 4, 197281},
    {kiwipete, 1, 48}, {kiwipete, 2, 2039}, {kiwipete, 3, 97862},
    {position3, 5, 674624},
    {position4, 4, 422333}, {position4_mirrored, 4, 422333},
    {position5, 3, 62379},
    {position6, 3, 89890},
}));

// Short endgames built round one rule each: en passant pins and checks,
// castling through or into check, promotions, stalemate and mate.
INSTANTIATE_TEST_SUITE_P(Endgames, Perft, testing::ValuesIn(std::vector<PerftCase>{
    {"3k4/3p4/8/K1P4r/8/8/8/8 b - - 0 1", 5, 185429},
    {"8/8/4k3/8/2p5/8/B2P2K1/8 w - - 0 1", 5, 135655},
    {"8/8/1k6/2b5/2pP4/8/5K2/8 b - d3 0 1", 5, 206379},
    {"5k2/8/8/8/8/8/8/4K2R w K - 0 1", 5, 120330},
    {"3k4/8/8/8/8/8/8/R3K3 w Q - 0 1", 5, 141077},
    {"r3k2r/1b4bq/8/8/8/8/7B/R3K2R w KQkq - 0 1", 3, 27826},
    {"r3k2r/8/3Q4/8/8/5q2/8/R3K2R b KQkq - 0 1", 3, 50509},
    {"2K2r2/4P3/8/8/8/8/8/3k4 w - - 0 1", 5, 266199},
    {"8/8/1P2K3/8/2n5/1q6/8/5k2 b - - 0 1", 4, 31961},
    {"4k3/1P6/8/8/8/8/K7/8 w - - 0 1", 5, 38983},
    {"8/P1k5/K7/8/8/8/8/8 w - - 0 1", 5, 18135},
    {"K1k5/8/P7/8/8/8/8/8 w - - 0 1", 6, 2217},
    {"8/k1P5/8/1K6/8/8/8/8 w - - 0 1", 6, 43261},
    {"8/8/2k5/5q2/5n2/8/5K2/8 b - - 0 1", 4, 23527},
    // The most legal moves known for a position: all of them fit the move list.
    {"R6R/3Q4/1Q4Q1/4Q3/2Q4Q/Q4Q2/pp1Q4/kBNN1KB1 w - - 0 1", 1, 218},
}));

INSTANTIATE_TEST_SUITE_P(Chess960, Perft, testing::ValuesIn(std::vector<PerftCase>{
    {chess960_a, 3, 12189}, {chess960_b, 3, 18002}, {chess960_c, 3, 10471},
}));

}
