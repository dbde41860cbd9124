#include <gtest/gtest.h>

#include <vector>

#include "tests/core/perft_cases.h"
#include "tests/core/perft_walk.h"

namespace {

class DeepPerft : public testing::TestWithParam<PerftCase> {};

TEST_P(DeepPerft, CountsMatchPublishedValues)
{
    const PerftCase& c = GetParam();
    ChessPosition position;
    position.set_fen(c.fen);
    PerftWalk walk;
    EXPECT_EQ(walk.count(position, c.depth), c.nodes) << c.fen;
}

using namespace perft_fens;

INSTANTIATE_TEST_SUITE_P(Classic, DeepPerft, testing::ValuesIn(std::vector<PerftCase>{
    {start, 6, 119060324},
    {kiwipete, 5, 193690690},
    {position3, 6, 11030083},
    {position4, 5, 15833292},
    {position4_mirrored, 5, 15833292},
    {position5, 5, 89941194},
    {position6, 5, 164075551},
}));

INSTANTIATE_TEST_SUITE_P(Endgames, DeepPerft, testing::ValuesIn(std::vector<PerftCase>{
    {"3k4/3p4/8/K1P4r/8/8/8/8 b - - 0 1", 6, 1134888},
    {"8/8/4k3/8/2p5/8/B2P2K1/8 w - - 0 1", 6, 1015133},
    {"8/8/1k6/2b5/2pP4/8/5K2/8 b - d3 0 1", 6, 1440467},
    {"5k2/8/8/8/8/8/8/4K2R w K - 0 1", 6, 661072},
    {"3k4/8/8/8/8/8/8/R3K3 w Q - 0 1", 6, 803711},
    {"r3k2r/1b4bq/8/8/8/8/7B/R3K2R w KQkq - 0 1", 4, 1274206},
    {"r3k2r/8/3Q4/8/8/5q2/8/R3K2R b KQkq - 0 1", 4, 1720476},
    {"2K2r2/4P3/8/8/8/8/8/3k4 w - - 0 1", 6, 3821001},
    {"8/8/1P2K3/8/2n5/1q6/8/5k2 b - - 0 1", 5, 1004658},
    {"4k3/1P6/8/8/8/8/K7/8 w - - 0 1", 6, 217342},
    {"8/P1k5/K7/8/8/8/8/8 w - - 0 1", 6, 92683},
    {"8/k1P5/8/1K6/8/8/8/8 w - - 0 1", 7, 567584},
}));

INSTANTIATE_TEST_SUITE_P(Chess960, DeepPerft, testing::ValuesIn(std::vector<PerftCase>{
    {chess960_a, 5, 8146062}, {chess960_b, 5, 16253601}, {chess960_c, 5, 6417013},
}));

}
