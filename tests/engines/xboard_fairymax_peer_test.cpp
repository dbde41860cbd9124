#include <gtest/gtest.h>

#include <memory>
#include <sstream>
#include <string>

#include "core/move_generator.h"
#include "core/move_list.h"
#include "engines/level.h"
#include "engines/xboard_engine.h"
#include "tests/engines/driver_harness.h"
#include "tests/engines/position_helpers.h"
#include "tests/support/peer_programs.h"

namespace {

using torvane_test::DriverHarness;
using torvane_test::position_after;
using torvane_test::start_fen;

// Debian's fairymax speaks xboard without "setboard", "usermove" or SAN, so
// positions reach it by one move, by a replay from "new" or in edit mode.
std::unique_ptr<DriverHarness> fairymax()
{
    torvane_test::EngineStart start;
    start.program = torvane_test::peer_program("fairymax");
    start.xboard = true;
    start.recorded = false;
    start.features = {{"setboard", false}, {"ping", true}};
    return std::make_unique<DriverHarness>(std::make_unique<XboardEngine>(), start);
}

bool is_legal(ChessPosition position, const std::string& text)
{
    MoveList moves;
    MoveGenerator generator;
    generator.generate(position, moves);
    for (const Move& move : moves)
        if (move.to_string() == text)
            return true;
    return false;
}

// The engine plays both sides for twenty plies from fen; every move it
// answers must be legal in the position the driver gave it.
void play_twenty_plies(const std::string& fen)
{
    auto harness = fairymax();
    BaseEngine& engine = harness->driver();
    engine.set_level(Level("fixed_depth 3"));
    engine.new_game();
    ChessPosition position = position_after(fen);
    bool thinking_seen = false;
    for (int ply = 0; ply < 20; ++ply) {
        engine.set_white(ply % 2 == 0);
        engine.set_position(position);
        engine.go();
        std::optional<std::string> line;
        while ((line = harness->next_forwarded(std::chrono::seconds(30))) && line->rfind("bestmove ", 0) != 0)
            thinking_seen = thinking_seen || line->rfind("info depth ", 0) == 0;
        ASSERT_TRUE(line) << "no move at ply " << ply;
        const std::string move = line->substr(9);
        ASSERT_TRUE(is_legal(position, move)) << "ply " << ply << ": " << move << " in " << position.fen();
        position.make_move(position.convert_to_move(move));
    }
    EXPECT_TRUE(thinking_seen);
}

TEST(Fairymax, TwentyPliesFromTheStartPosition) { play_twenty_plies(start_fen); }

TEST(Fairymax, TwentyPliesFromAFenInEditModeWithWhiteToMove)
{
    play_twenty_plies("r1bqkb1r/pppp1ppp/2n2n2/4p3/2B1P3/5N2/PPPP1PPP/RNBQK2R w KQkq - 4 4");
}

TEST(Fairymax, TwentyPliesFromAFenInEditModeWithBlackToMove)
{
    play_twenty_plies("r1bqkbnr/pppp1ppp/2n5/4p3/4P3/5N2/PPPP1PPP/RNBQKB1R b KQkq - 3 3");
}

TEST(Fairymax, GameSentAgainAfterATakeBack)
{
    auto harness = fairymax();
    BaseEngine& engine = harness->driver();
    engine.set_level(Level("fixed_depth 3"));
    engine.new_game();
    const ChessPosition position = position_after(start_fen, "e2e4 e7e5 g1f3 b8c6 f1c4 g8f6");
    engine.set_position(position);
    engine.go();
    const auto first = harness->wait_forwarded("bestmove ", std::chrono::seconds(30));
    ASSERT_TRUE(first);
    const ChessPosition taken_back = position_after(start_fen, "e2e4 e7e5 g1f3");
    engine.set_position(taken_back);
    engine.go();
    const auto second = harness->wait_forwarded("bestmove ", std::chrono::seconds(30));
    ASSERT_TRUE(second);
    EXPECT_TRUE(is_legal(taken_back, second->substr(9))) << *second;
}

}
