#include <gtest/gtest.h>

#include <memory>
#include <sstream>
#include <string>

#include "core/move_list.h"
#include "core/move_generator.h"
#include "engines/level.h"
#include "engines/uci_engine.h"
#include "tests/engines/driver_harness.h"
#include "tests/engines/position_helpers.h"
#include "tests/support/peer_programs.h"

namespace {

using torvane_test::DriverHarness;
using torvane_test::position_after;
using torvane_test::start_fen;

constexpr int idle = 0;
constexpr int pondering = 3;

const std::string middlegame_fen = "r1bqkb1r/pppp1ppp/2n2n2/4p3/2B1P3/5N2/PPPP1PPP/RNBQK2R w KQkq - 4 4";

std::unique_ptr<DriverHarness> stockfish()
{
    torvane_test::EngineStart start;
    start.program = torvane_test::peer_program("stockfish");
    start.recorded = false;
    return std::make_unique<DriverHarness>(std::make_unique<UciEngine>(), start);
}

std::string word(const std::string& line, int index)
{
    std::istringstream in(line);
    std::string text;
    for (int at = 0; at <= index; ++at)
        if (!(in >> text))
            return "";
    return text;
}

// The legal move of the position written as text, checked with the rules
// core's own move generator; a null move when there is none.
Move legal_move(ChessPosition position, const std::string& text)
{
    MoveList moves;
    MoveGenerator generator;
    generator.generate(position, moves);
    for (const Move& move : moves)
        if (move.to_string() == text)
            return move;
    return Move();
}

std::string best_move(DriverHarness& harness)
{
    const auto line = harness.wait_forwarded("bestmove", std::chrono::seconds(30));
    EXPECT_TRUE(line);
    return line ? word(*line, 1) : "";
}

class StockfishSearchKinds : public testing::TestWithParam<std::string> {};

TEST_P(StockfishSearchKinds, AnswersWithALegalMove)
{
    auto harness = stockfish();
    BaseEngine& engine = harness->driver();
    engine.set_level(Level(GetParam()));
    engine.set_white(true);
    harness->ev().set_opponent_time(30000);
    engine.new_game();
    const ChessPosition position = position_after(middlegame_fen);
    engine.set_position(position);
    engine.go();
    const std::string move = best_move(*harness);
    EXPECT_NE(legal_move(position, move).code(), 0u) << move;
    EXPECT_TRUE(harness->wait_state(idle));
}

INSTANTIATE_TEST_SUITE_P(Levels, StockfishSearchKinds,
                         testing::Values("fixed_depth 6", "fixed_nodes 20000", "fixed_movetime 200",
                                         "sudden_death 0 0:10 0.1", "sessions 40 0:10 0.1"));

// Stockfish plays both sides for twenty plies; every move must be legal.
void play_twenty_plies(const std::string& fen)
{
    auto harness = stockfish();
    BaseEngine& engine = harness->driver();
    engine.set_level(Level("fixed_movetime 50"));
    engine.new_game();
    ChessPosition position = position_after(fen);
    for (int ply = 0; ply < 20; ++ply) {
        engine.set_white(ply % 2 == 0);
        engine.set_position(position);
        engine.go();
        const std::string text = best_move(*harness);
        const Move move = legal_move(position, text);
        ASSERT_NE(move.code(), 0u) << "ply " << ply << ": " << text << " in " << position.fen();
        ASSERT_TRUE(harness->wait_state(idle));
        position.make_move(move);
    }
}

TEST(Stockfish, TwentyPliesFromTheStartPosition) { play_twenty_plies(start_fen); }

TEST(Stockfish, TwentyPliesFromAFen) { play_twenty_plies(middlegame_fen); }

// Starts a search with pondering on; returns the position, the best move and
// the expected reply.
struct PonderStart {
    ChessPosition after_best;
    std::string reply;
};

PonderStart start_pondering(DriverHarness& harness)
{
    BaseEngine& engine = harness.driver();
    engine.set_level(Level("fixed_depth 8"));
    engine.set_ponder(true);
    engine.new_game();
    ChessPosition position = position_after(middlegame_fen);
    engine.set_position(position);
    engine.go();
    const auto line = harness.wait_forwarded("bestmove", std::chrono::seconds(30));
    EXPECT_TRUE(line);
    const std::string best = word(line.value_or(""), 1);
    EXPECT_EQ(word(line.value_or(""), 2), "ponder") << line.value_or("");
    const Move move = legal_move(position, best);
    EXPECT_NE(move.code(), 0u);
    position.make_move(move);
    EXPECT_TRUE(harness.wait_state(pondering));
    return {position, word(line.value_or(""), 3)};
}

TEST(Stockfish, PonderHit)
{
    auto harness = stockfish();
    PonderStart start = start_pondering(*harness);
    const Move reply = legal_move(start.after_best, start.reply);
    ASSERT_NE(reply.code(), 0u);
    start.after_best.make_move(reply);
    // The answer then starts no new ponder search.
    harness->driver().set_ponder(false);
    harness->driver().set_position(start.after_best);
    harness->driver().go();
    const std::string move = best_move(*harness);
    EXPECT_NE(legal_move(start.after_best, move).code(), 0u) << move;
    EXPECT_TRUE(harness->wait_state(idle));
}

TEST(Stockfish, PonderMiss)
{
    auto harness = stockfish();
    PonderStart start = start_pondering(*harness);
    MoveList replies;
    MoveGenerator generator;
    generator.generate(start.after_best, replies);
    Move other;
    for (const Move& reply : replies)
        if (reply.to_string() != start.reply)
            other = reply;
    ASSERT_NE(other.code(), 0u);
    start.after_best.make_move(other);
    harness->driver().set_ponder(false);
    harness->driver().set_position(start.after_best);
    harness->driver().go();
    // The answer to the stopped ponder search never arrives as a move.
    const std::string move = best_move(*harness);
    EXPECT_NE(legal_move(start.after_best, move).code(), 0u) << move << " in " << start.after_best.fen();
    EXPECT_TRUE(harness->wait_state(idle));
}

}
