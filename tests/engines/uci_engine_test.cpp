#include <gtest/gtest.h>

#include <cstdlib>
#include <memory>
#include <optional>
#include <ostream>
#include <stdexcept>
#include <string>
#include <vector>

#include "engines/level.h"
#include "engines/uci_engine.h"
#include "tests/engines/driver_harness.h"
#include "tests/engines/position_helpers.h"

namespace {

using torvane_test::DriverHarness;
using torvane_test::position_after;
using torvane_test::start_fen;
using Lines = std::vector<std::string>;

constexpr int idle = 0;
constexpr int thinking = 2;
constexpr int pondering = 3;

// The engine's answer without the arrival stamp the reader appends.
std::optional<std::string> best_answer(DriverHarness& harness)
{
    auto line = harness.wait_forwarded("bestmove");
    if (line)
        line = line->substr(0, line->find(" TS="));
    return line;
}

std::unique_ptr<DriverHarness> uci(const std::string& modes = "", const std::string& moves = "")
{
    return std::make_unique<DriverHarness>(std::make_unique<UciEngine>(), DriverHarness::fake(modes, moves));
}

struct SearchCase {
    std::string level;
    bool white;
    std::uint32_t moves_made;
    std::string go_line;
};

std::ostream& operator<<(std::ostream& out, const SearchCase& param) { return out << param.level; }

class UciSearchKinds : public testing::TestWithParam<SearchCase> {};

TEST_P(UciSearchKinds, SendsNewGamePositionAndTheLimitsOfTheTimeControl)
{
    const SearchCase& param = GetParam();
    auto harness = uci("", "e7e5");
    BaseEngine& engine = harness->driver();
    engine.set_level(Level(param.level));
    engine.set_white(param.white);
    harness->ev().set_opponent_time(20000);
    engine.new_game();
    engine.set_moves_made(param.moves_made);
    engine.set_position(position_after(start_fen, "e2e4"));
    engine.go();
    EXPECT_EQ(best_answer(*harness), "bestmove e7e5");
    EXPECT_EQ(harness->received(), (Lines{"ucinewgame", "isready", "position fen " + start_fen + " moves e2e4",
                                          "isready", param.go_line}));
    EXPECT_TRUE(harness->wait_state(idle));
}

INSTANTIATE_TEST_SUITE_P(
    Levels, UciSearchKinds,
    testing::Values(SearchCase{"fixed_depth 12", false, 0, "go depth 12"},
                    SearchCase{"fixed_nodes 5000", false, 0, "go nodes 5000"},
                    SearchCase{"fixed_movetime 1500", false, 0, "go movetime 1500"},
                    SearchCase{"sudden_death 0 5 2", false, 0, "go wtime 20000 btime 300000 winc 2000 binc 2000"},
                    SearchCase{"sessions 40 1 0.1", true, 10,
                               "go wtime 60000 btime 20000 winc 100 binc 100  movestogo 30"}));

TEST(UciEngine, PositionLineFromAFenWithAndWithoutMoves)
{
    const std::string fen = "r3k2r/8/8/8/8/8/8/R3K2R w KQkq - 3 20";
    auto harness = uci("", "e8c8 a8b8");
    BaseEngine& engine = harness->driver();
    engine.set_level(Level("fixed_depth 3"));
    engine.set_position(position_after(fen));
    engine.go();
    best_answer(*harness);
    engine.set_position(position_after(fen, "e1g1 e8c8 a1a8"));
    engine.go();
    best_answer(*harness);
    EXPECT_EQ(harness->received(), (Lines{"position fen " + fen + " moves", "isready", "go depth 3",
                                          "position fen " + fen + " moves e1g1 e8c8 a1a8", "isready", "go depth 3"}));
    // In Chess960 mode (option names in any case) castling is the king
    // taking its own rook, until the mode is switched off again.
    for (const auto& [option, moves] : {std::pair{"setoption name uci_chess960 value true", " moves e1h1 e8a8 a1a8"},
                                        std::pair{"setoption name UCI_Chess960 value false", " moves e1g1 e8c8 a1a8"}}) {
        engine.send_option_lines({option});
        engine.go();
        best_answer(*harness);
        EXPECT_EQ(harness->received(), (Lines{option, "position fen " + fen + moves, "isready", "go depth 3"}));
    }
}

TEST(UciEngine, ClockTimesAreNeverBelowOneMillisecond)
{
    auto harness = uci("", "e7e5");
    BaseEngine& engine = harness->driver();
    engine.set_level(Level("sudden_death 0 5 0"));
    engine.set_white(true);
    harness->ev().set_opponent_time(0);
    engine.set_position(position_after(start_fen));
    engine.go();
    best_answer(*harness);
    const Lines lines = harness->received();
    ASSERT_EQ(lines.size(), 3u);
    EXPECT_EQ(lines[2], "go wtime 300000 btime 1 winc 0 binc 0");
}

TEST(UciEngine, BestMoveStopsTheClockAndForwardsTheLineWithItsStamp)
{
    auto harness = uci("", "e7e5");
    BaseEngine& engine = harness->driver();
    engine.set_level(Level("sessions 40 5 0"));
    engine.set_position(position_after(start_fen, "e2e4"));
    engine.go();
    const auto answer = harness->wait_forwarded("bestmove");
    ASSERT_TRUE(answer);
    EXPECT_EQ(answer->rfind("bestmove e7e5 TS=", 0), 0u) << *answer;
    EXPECT_TRUE(harness->wait_state(idle));
    EXPECT_EQ(engine.get_moves_to_go(), 39u);
}

TEST(UciEngine, GoWhileThinkingThrows)
{
    auto harness = uci("hold");
    BaseEngine& engine = harness->driver();
    engine.set_level(Level("fixed_depth 5"));
    engine.set_position(position_after(start_fen));
    engine.go();
    EXPECT_EQ(harness->ev().get_state(), thinking);
    EXPECT_THROW(engine.go(), std::logic_error);
}

TEST(UciEngine, StopSendsStopAndTheAnswerIsNotTakenAsTheNextMove)
{
    auto harness = uci("hold", "a7a6 e7e5");
    BaseEngine& engine = harness->driver();
    engine.set_level(Level("fixed_depth 5"));
    engine.set_position(position_after(start_fen, "e2e4"));
    engine.go();
    engine.stop();
    EXPECT_EQ(harness->ev().get_state(), idle);
    EXPECT_EQ(harness->received(),
              (Lines{"position fen " + start_fen + " moves e2e4", "isready", "go depth 5", "stop"}));
    // The hold engine prints an analysis line before its best move when it is
    // stopped: that is the old search's too.
    harness->engine_says("readyok");
    EXPECT_EQ(harness->next_forwarded(), "readyok");
    engine.go();
    engine.stop();
    EXPECT_EQ(harness->wait_forwarded("bestmove", std::chrono::milliseconds(500)), std::nullopt);
}

TEST(UciEngine, AnAnswerLaterThanTheStopWaitIsStillNotTheNextMove)
{
    // The engine takes 1.3 s for every answer, longer than stop waits.
    setenv("TORVANE_FAKE_DELAY_MS", "1300", 1);
    auto harness = uci("slow", "a7a6 e7e5");
    BaseEngine& engine = harness->driver();
    engine.set_level(Level("fixed_depth 3"));
    engine.set_position(position_after(start_fen, "e2e4"));
    engine.go_infinite();
    engine.stop();
    EXPECT_EQ(harness->ev().get_state(), idle);
    engine.go();
    EXPECT_EQ(best_answer(*harness), "bestmove e7e5");
    EXPECT_EQ(harness->received(),
              (Lines{"position fen " + start_fen + " moves e2e4", "go infinite", "stop",
                     "position fen " + start_fen + " moves e2e4", "isready", "go depth 3"}));
}

TEST(UciEngine, StopWhenIdleSendsNothing)
{
    auto harness = uci();
    harness->driver().stop();
    EXPECT_TRUE(harness->received().empty());
}

TEST(UciEngine, NewGameStopsARunningSearchFirst)
{
    auto harness = uci("hold", "e7e5");
    BaseEngine& engine = harness->driver();
    engine.set_level(Level("fixed_depth 5"));
    engine.set_position(position_after(start_fen, "e2e4"));
    engine.go();
    harness->received();
    engine.new_game();
    EXPECT_EQ(harness->received(), (Lines{"stop", "ucinewgame", "isready"}));
    EXPECT_EQ(harness->wait_forwarded("bestmove", std::chrono::milliseconds(300)), std::nullopt);
}

TEST(UciEngine, AnalysisLinesPassOnlyWhileASearchRuns)
{
    auto harness = uci("hold,quiet", "e7e5");
    BaseEngine& engine = harness->driver();
    harness->engine_says("info string before any search");
    harness->engine_says("readyok");
    EXPECT_EQ(harness->next_forwarded(), "readyok");
    engine.set_level(Level("fixed_depth 5"));
    engine.set_position(position_after(start_fen, "e2e4"));
    engine.go();
    harness->engine_says("info depth 3");
    EXPECT_EQ(harness->wait_forwarded("info"), "info depth 3");
    engine.stop();
    harness->engine_says("info depth 4");
    harness->engine_says("readyok");
    EXPECT_EQ(harness->next_forwarded(), "readyok");
}

TEST(UciEngine, InfiniteAnalysisIsStoppedBeforeANewOneStarts)
{
    auto harness = uci("", "e7e5 d7d5");
    BaseEngine& engine = harness->driver();
    engine.set_position(position_after(start_fen, "e2e4"));
    engine.go_infinite();
    EXPECT_EQ(harness->ev().get_state(), thinking);
    engine.set_position(position_after(start_fen, "d2d4"));
    engine.go_infinite();
    EXPECT_EQ(harness->received(), (Lines{"position fen " + start_fen + " moves e2e4", "go infinite", "stop",
                                          "position fen " + start_fen + " moves d2d4", "go infinite"}));
    engine.stop();
    EXPECT_EQ(harness->ev().get_state(), idle);
    EXPECT_EQ(harness->wait_forwarded("bestmove", std::chrono::milliseconds(300)), std::nullopt);
}

// The engine answers the search with a best move and an expected reply, and
// ponders on that reply until told what the opponent played.
std::unique_ptr<DriverHarness> pondering_engine(const std::string& later_moves)
{
    auto harness = uci("", "e2e4:e7e5 " + later_moves);
    BaseEngine& engine = harness->driver();
    engine.set_level(Level("fixed_depth 8"));
    engine.set_ponder(true);
    engine.new_game();
    engine.set_position(position_after(start_fen));
    engine.go();
    EXPECT_EQ(best_answer(*harness), "bestmove e2e4 ponder e7e5");
    EXPECT_TRUE(harness->wait_state(pondering));
    EXPECT_EQ(harness->received(),
              (Lines{"ucinewgame", "isready", "position fen " + start_fen + " moves", "isready", "go depth 8",
                     "position fen " + start_fen + " moves e2e4 e7e5", "go depth 8 ponder"}));
    return harness;
}

TEST(UciEngine, PonderHitSendsOnlyPonderhit)
{
    auto harness = pondering_engine("g1f3");
    BaseEngine& engine = harness->driver();
    engine.set_position(position_after(start_fen, "e2e4 e7e5"));
    engine.go();
    EXPECT_EQ(best_answer(*harness), "bestmove g1f3");
    EXPECT_EQ(harness->received(), (Lines{"ponderhit"}));
    EXPECT_TRUE(harness->wait_state(idle));
}

// Engines may ignore options during a search, pondering included: they wait
// for the answer and reach the engine before it is passed on.
TEST(UciEngine, OptionsWaitUntilTheEngineHasAnswered)
{
    auto harness = pondering_engine("g1f3");
    BaseEngine& engine = harness->driver();
    engine.send_option_lines({"setoption name Hash value 64"});
    EXPECT_TRUE(harness->received().empty());
    engine.set_position(position_after(start_fen, "e2e4 e7e5"));
    engine.go();
    EXPECT_EQ(best_answer(*harness), "bestmove g1f3");
    EXPECT_EQ(harness->received(), (Lines{"ponderhit", "setoption name Hash value 64"}));
    engine.send_option_lines({"setoption name Style value Risky"});
    EXPECT_EQ(harness->received(), (Lines{"setoption name Style value Risky"}));
}

TEST(UciEngine, PonderMissStopsThePonderSearchAndIgnoresItsAnswer)
{
    // b1c3 answers the stopped ponder search; g1f3 answers the real one.
    auto harness = pondering_engine("b1c3 g1f3");
    BaseEngine& engine = harness->driver();
    engine.set_position(position_after(start_fen, "e2e4 d7d5"));
    engine.go();
    EXPECT_EQ(best_answer(*harness), "bestmove g1f3");
    EXPECT_TRUE(harness->wait_state(idle));
    EXPECT_EQ(harness->received(),
              (Lines{"stop", "position fen " + start_fen + " moves e2e4 d7d5", "isready", "go depth 8"}));
}

TEST(UciEngine, PonderingOnAClockUsesTheClockTimes)
{
    auto harness = uci("", "e2e4:e7e5");
    BaseEngine& engine = harness->driver();
    engine.set_level(Level("sudden_death 0 1 1"));
    engine.set_white(true);
    harness->ev().set_opponent_time(45000);
    engine.set_ponder(true);
    engine.set_position(position_after(start_fen));
    engine.go();
    best_answer(*harness);
    ASSERT_TRUE(harness->wait_state(pondering));
    const Lines lines = harness->received();
    ASSERT_EQ(lines.size(), 5u);
    // The clock has run a little, got the increment back and a few ms of
    // credit for the time the answer spent inside the program.
    EXPECT_EQ(lines[4].rfind("go wtime ", 0), 0u);
    EXPECT_NE(lines[4].find(" btime 45000 winc 1000 binc 1000 ponder"), std::string::npos) << lines[4];
    const long white = std::stol(lines[4].substr(9));
    EXPECT_GT(white, 55000);
    EXPECT_LE(white, 61100);
}

TEST(UciEngine, NoPonderSearchWithoutPonderingOrWithAnIllegalReply)
{
    {
        auto harness = uci("", "e2e4:e7e5");
        harness->driver().set_level(Level("fixed_depth 2"));
        harness->driver().set_position(position_after(start_fen));
        harness->driver().go();
        EXPECT_EQ(best_answer(*harness), "bestmove e2e4 ponder e7e5");
        EXPECT_TRUE(harness->wait_state(idle));
        EXPECT_EQ(harness->received().size(), 3u);
    }
    {
        auto harness = uci("", "e2e4:e2e4");
        harness->driver().set_ponder(true);
        harness->driver().set_level(Level("fixed_depth 2"));
        harness->driver().set_position(position_after(start_fen));
        harness->driver().go();
        EXPECT_EQ(best_answer(*harness), "bestmove e2e4 ponder e2e4");
        EXPECT_TRUE(harness->wait_state(idle));
        EXPECT_EQ(harness->received().size(), 3u);
    }
}

TEST(UciEngine, ConvertsCoordinateTextInItsPosition)
{
    auto harness = uci();
    harness->driver().set_position(position_after(start_fen, "e2e4 e7e5 g1f3 b8c6 f1c4 g8f6"));
    EXPECT_EQ(harness->driver().coordinate_to_move("e1g1").kind(), castling);
    EXPECT_THROW(harness->driver().coordinate_to_move("e3e4"), std::logic_error);
}


// A search stopped by a new one goes on printing until its best move.
TEST(UciEngine, AStoppedSearchsLastAnalysisIsDroppedWhenANewSearchStartsAtOnce)
{
    auto harness = uci("", "e7e5 d7d5");
    BaseEngine& engine = harness->driver();
    engine.set_position(position_after(start_fen, "e2e4"));
    engine.go_infinite();
    engine.set_position(position_after(start_fen, "d2d4"));
    engine.go_infinite();
    harness->engine_says("info depth 9");
    EXPECT_EQ(harness->next_forwarded(), "info depth 9");
}

}
