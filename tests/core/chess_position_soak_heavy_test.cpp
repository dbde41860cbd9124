#include <gtest/gtest.h>

#include <random>

#include "tests/core/reference_rules.h"

namespace {

// Many more random games than the quick test, from positions rich in castling,
// en passant and promotions, in standard chess and Chess960.
TEST(ChessPositionSoakTest, LongRandomGamesKeepEveryIncrementalStateExact)
{
    const char* const starts[] = {
        "rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w KQkq - 0 1",
        "r3k2r/p1ppqpb1/bn2pnp1/3PN3/1p2P3/2N2Q1p/PPPBBPPP/R3K2R w KQkq - 0 1",
        "r3k2r/Pppp1ppp/1b3nbN/nP6/BBP1P3/q4N2/Pp1P2PP/R2Q1RK1 w kq - 0 1",
        "rnbq1k1r/pp1Pbppp/2p5/8/2B5/8/PPP1NnPP/RNBQK2R w KQ - 1 8",
        "nrbkqrnb/pppppppp/8/8/8/8/PPPPPPPP/NRBKQRNB w BFbf - 0 1",
        "rkrnnqbb/pppppppp/8/8/8/8/PPPPPPPP/RKRNNQBB w ACac - 0 1",
        "bbqnnrkr/pppppppp/8/8/8/8/PPPPPPPP/BBQNNRKR w FHfh - 0 1",
        "8/PPP4k/8/8/8/8/4Kppp/8 w - - 0 1",
    };
    std::mt19937 random(31337);
    for (const char* start : starts) {
        reference_rules::check_random_games(start, random, 150, 200);
    }
}

}
