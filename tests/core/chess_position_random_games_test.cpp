#include "core/chess_position.h"
#include "tests/core/reference_rules.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

namespace {

using namespace reference_rules;

const char* const start_positions[] = {
    "rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w KQkq - 0 1",
    "r3k2r/p1ppqpb1/bn2pnp1/3PN3/1p2P3/2N2Q1p/PPPBBPPP/R3K2R w KQkq - 0 1",
    "n1n5/PPPk4/8/8/8/8/4Kppp/5N1N b - - 0 1",
    "8/2p5/3p4/KP5r/1R3p1k/8/4P1P1/8 w - - 0 1",
    "bqnbrkrn/pppppppp/8/8/8/8/PPPPPPPP/BQNBRKRN w EGeg - 0 1",
    "rk2r3/pppppppp/8/8/8/8/PPPPPPPP/RK2R3 w AEae - 0 1",
    "1r3kr1/pppppppp/8/8/8/8/PPPPPPPP/1R3KR1 w BGbg - 0 1",
    "4k3/8/8/2pPp3/8/8/8/4K2R w K c6 0 1",
};

TEST(ChessPositionRandomGamesTest, IncrementalStateMatchesRebuildsAndTakeBacksRestoreIt)
{
    std::mt19937 random(8128);
    for (const char* start : start_positions) {
        check_random_games(start, random, 12, 120);
    }
}

struct SpecialMove {
    const char* fen;
    const char* move;
};

// Moves whose side effects reach beyond their two squares.
const SpecialMove special_moves[] = {
    {"4k3/8/8/3pP3/8/8/B7/4K3 w - d6 0 1", "e5d6"},
    {"4k3/8/8/3pP3/8/8/8/3RK3 w - d6 0 1", "e5d6"},
    {"4k3/q7/8/8/2Pp4/8/8/4K3 b - c3 0 1", "d4c3"},
    {"4k3/8/8/8/r1Pp3K/8/8/8 b - c3 0 1", "d4c3"},
    {"r3k2r/8/8/8/8/8/1b6/R3K2R w KQkq - 0 1", "e1c1"},
    {"r3k2r/8/8/8/8/5B2/8/R3K2R b KQkq - 0 1", "e8g8"},
    {"1n2k3/P7/8/8/8/8/8/R3K3 w - - 0 1", "a7b8q"},
    {"4k3/P7/8/8/8/8/8/R3K3 w - - 0 1", "a7a8r"},
    {"4k3/8/8/8/8/8/5p2/4KQ2 b - - 0 1", "f2f1b"},
    {"4k3/8/8/8/8/8/5p2/4K1N1 b - - 0 1", "f2g1n"},
    {"5rk1/8/8/8/8/8/8/4K1R1 w G - 0 1", "e1g1"},
};

TEST(ChessPositionSpecialMovesTest, AttackInformationFollowsEveryMoveKind)
{
    for (const SpecialMove& c : special_moves) {
        ChessPosition position;
        position.set_fen(c.fen);
        const Snapshot before(position);
        const Move move = position.convert_to_move(c.move);
        ASSERT_NE(move.code(), 0u) << c.fen;
        position.make_move(move);
        expect_attack_info_current(position, std::string(c.fen) + " after " + c.move);
        position.take_back();
        expect_attack_info_current(position, std::string(c.fen) + " back from " + c.move);
        EXPECT_TRUE(Snapshot(position) == before) << c.fen;
    }
}

}
