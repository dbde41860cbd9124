#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <memory>
#include <optional>
#include <ostream>
#include <string>
#include <thread>
#include <vector>

#include "engines/engio.h"
#include "engines/level.h"
#include "engines/xboard_engine.h"
#include "tests/engines/driver_harness.h"
#include "tests/support/test_time.h"
#include "tests/engines/position_helpers.h"

namespace {

using torvane_test::DriverHarness;
using torvane_test::position_after;
using torvane_test::start_fen;
using Lines = std::vector<std::string>;

constexpr int idle = 0;
constexpr int thinking = 2;

struct Features {
    bool setboard = false;
    bool san = false;
    bool usermove = false;
    bool time = true;
    bool reuse = true;
    bool nps = false;
    bool ping = false;
};

std::unique_ptr<DriverHarness> xboard(const Features& features, const std::string& moves = "",
                                      const std::string& modes = "")
{
    torvane_test::EngineStart start = DriverHarness::fake(modes, moves, true);
    start.features = {{"setboard", features.setboard}, {"san", features.san},   {"usermove", features.usermove},
                      {"time", features.time},         {"reuse", features.reuse}, {"nps", features.nps},
                      {"ping", features.ping}};
    return std::make_unique<DriverHarness>(std::make_unique<XboardEngine>(), start);
}

// Lines that carry the clock times, which depend on how long a test ran.
bool is_time_line(const std::string& line) { return line.rfind("time ", 0) == 0 || line.rfind("otim ", 0) == 0; }

Lines without_times(const Lines& lines)
{
    Lines kept;
    for (const std::string& line : lines)
        if (!is_time_line(line))
            kept.push_back(line);
    return kept;
}

const Lines new_game_lines = {"new", "force", "easy", "post", "level 40 0:10 0.1"};

TEST(XboardEngine, NewGameOfAFreshDriver)
{
    auto harness = xboard({});
    harness->driver().new_game();
    EXPECT_EQ(harness->received(), new_game_lines);
}

TEST(XboardEngine, NewGameWithoutReuseSendsNothing)
{
    auto harness = xboard({.reuse = false});
    harness->driver().new_game();
    EXPECT_TRUE(harness->received().empty());
}

TEST(XboardEngine, PonderWishIsKeptByLaterResets)
{
    auto harness = xboard({});
    harness->driver().set_ponder(true);
    harness->driver().new_game();
    EXPECT_EQ(harness->received(), (Lines{"hard", "new", "force", "hard", "post", "level 40 0:10 0.1"}));
}

TEST(XboardEngine, PingsAreNumberedAndCountedOnlyForEnginesThatAnnouncedThem)
{
    auto silent = xboard({});
    static_cast<XboardEngine&>(silent->driver()).ping();
    EXPECT_EQ(silent->received(), Lines{});
    EXPECT_FALSE(silent->ev().ping_pending());

    auto harness = xboard({.ping = true});
    auto& engine = static_cast<XboardEngine&>(harness->driver());
    engine.ping();
    engine.ping();
    EXPECT_EQ(harness->received(), (Lines{"ping 1", "ping 2"}));
    EXPECT_EQ(harness->ev().pong_received(), 1);
}

TEST(XboardEngine, PlaysAGameByOneMoveAtATime)
{
    auto harness = xboard({.usermove = true}, "e7e5 g8f6");
    BaseEngine& engine = harness->driver();
    engine.set_white(false);
    harness->ev().set_opponent_time(12345);
    engine.new_game();
    engine.set_position(position_after(start_fen, "e2e4"));
    engine.go();
    EXPECT_EQ(harness->wait_forwarded("bestmove"), "bestmove e7e5");
    EXPECT_TRUE(harness->wait_state(idle));
    EXPECT_EQ(harness->received(),
              (Lines{"new", "force", "easy", "post", "level 40 0:10 0.1", "time 1000", "otim 1234", "usermove e2e4",
                     "go"}));

    engine.set_position(position_after(start_fen, "e2e4 e7e5 g1f3"));
    engine.go();
    EXPECT_EQ(harness->wait_forwarded("bestmove"), "bestmove g8f6");
    // Out of force mode the move alone starts the engine.
    EXPECT_EQ(without_times(harness->received()), (Lines{"usermove g1f3"}));
}

TEST(XboardEngine, ForwardsThinkingInMillisecondsAndTheMoveAsBestmove)
{
    auto harness = xboard({}, "e7e5");
    BaseEngine& engine = harness->driver();
    engine.set_position(position_after(start_fen, "e2e4"));
    engine.go();
    EXPECT_EQ(harness->next_forwarded(), "info depth 1 score cp 12 time 0 nodes 100 nps 0  e7e5");
    EXPECT_EQ(harness->next_forwarded(), "bestmove e7e5");
    EXPECT_EQ(without_times(harness->received()), (Lines{"e2e4"}));
}

TEST(XboardEngine, SamePositionWithMovesTwiceResendsTheGame)
{
    auto harness = xboard({.setboard = true}, "b8c6");
    BaseEngine& engine = harness->driver();
    const ChessPosition position = position_after(start_fen, "e2e4 e7e5 g1f3");
    engine.set_position(position);
    engine.set_position(position);
    engine.go();
    EXPECT_EQ(harness->wait_forwarded("bestmove"), "bestmove b8c6");
    EXPECT_EQ(without_times(harness->received()),
              (Lines{"force", "setboard " + start_fen, "easy", "post", "e2e4", "e7e5", "g1f3", "go"}));
}

TEST(XboardEngine, ResendsBySetboardFromTheStartFen)
{
    const std::string fen = "4k3/8/8/8/8/8/4P3/4K3 w - - 0 40";
    auto harness = xboard({.setboard = true, .usermove = true}, "e8d7");
    BaseEngine& engine = harness->driver();
    engine.set_position(position_after(fen, "e2e4"));
    EXPECT_EQ(harness->received(), (Lines{"force", "setboard " + fen, "easy", "post", "usermove e2e4"}));
    engine.go();
    EXPECT_EQ(harness->wait_forwarded("bestmove"), "bestmove e8d7");
    EXPECT_EQ(without_times(harness->received()), (Lines{"go"}));
}

TEST(XboardEngine, ResendsByReplayFromNewWithoutSetboard)
{
    auto harness = xboard({}, "b8c6");
    BaseEngine& engine = harness->driver();
    engine.set_level(Level("fixed_depth 7"));
    engine.set_position(position_after(start_fen, "d2d4 d7d5 c2c4"));
    // "new" drops the depth limit, so the time control follows it.
    EXPECT_EQ(harness->received(), (Lines{"new", "force", "easy", "post", "level 40 0:10 0.1", "d2d4", "d7d5", "c2c4"}));
    engine.go();
    harness->wait_forwarded("bestmove");
    EXPECT_EQ(without_times(harness->received()), (Lines{"sd 7", "go"}));
}

// The move that hands Black the move goes in the form the engine asked for.
TEST(XboardEngine, ResendsByEditModeWithBlackToMove)
{
    const std::string fen = "4k3/8/8/8/8/8/1P2P3/R3K3 b Q - 0 30";
    for (const auto& [features, black_move] : {std::pair{Features{}, "a2a3"},
                                               {Features{.usermove = true}, "usermove a2a3"},
                                               {Features{.san = true}, "a3"}}) {
        SCOPED_TRACE(black_move);
        auto harness = xboard(features, "e8d7");
        BaseEngine& engine = harness->driver();
        engine.set_position(position_after(fen));
        EXPECT_EQ(harness->received(),
                  (Lines{"new", "force", "easy", "post", "level 40 0:10 0.1", black_move, "force", "edit", "#", "Ke1",
                         "Ra1", "Pb2", "Pe2", "c", "Ke8", ".", "easy", "post"}));
        engine.go();
        EXPECT_EQ(harness->wait_forwarded("bestmove"), "bestmove e8d7");
        EXPECT_EQ(without_times(harness->received()), (Lines{"go"}));
    }
}

TEST(XboardEngine, EditModeWithWhiteToMoveStartsFromNew)
{
    const std::string fen = "4k3/8/8/8/8/8/4P3/4K3 w - - 0 1";
    auto harness = xboard({});
    harness->driver().set_position(position_after(fen));
    EXPECT_EQ(harness->received(), (Lines{"new", "force", "easy", "post", "level 40 0:10 0.1", "force", "edit", "#",
                                          "Ke1", "Pe2", "c", "Ke8", ".", "easy", "post"}));
}

TEST(XboardEngine, SanEnginesGetAndGiveSan)
{
    auto harness = xboard({.san = true, .usermove = true}, "Nf6");
    BaseEngine& engine = harness->driver();
    engine.new_game();
    harness->received();
    engine.set_position(position_after(start_fen, "g1f3"));
    engine.go();
    EXPECT_EQ(harness->wait_forwarded("bestmove"), "bestmove g8f6");
    EXPECT_EQ(without_times(harness->received()), (Lines{"usermove Nf3", "go"}));
}

TEST(XboardEngine, CastlingSpellingsBecomeTheKingsMove)
{
    const std::string fen = "r3k2r/pppppppp/8/8/8/8/PPPPPPPP/R3K2R b KQkq - 0 1";
    auto harness = xboard({}, "O-O-O");
    BaseEngine& engine = harness->driver();
    engine.set_position(position_after(fen));
    engine.go();
    EXPECT_EQ(harness->wait_forwarded("bestmove"), "bestmove e8c8");
}

TEST(XboardEngine, TimeControlIsSentWhenAnyPartOfItChanges)
{
    auto harness = xboard({.time = false}, "e7e5 d7d5");
    BaseEngine& engine = harness->driver();
    engine.set_level(Level("fixed_depth 5"));
    engine.new_game();
    engine.set_position(position_after(start_fen, "e2e4"));
    engine.go();
    harness->wait_forwarded("bestmove");
    engine.set_level(Level("fixed_depth 9"));
    engine.new_game();
    engine.set_position(position_after(start_fen, "d2d4"));
    engine.go();
    harness->wait_forwarded("bestmove");
    EXPECT_EQ(harness->received(), (Lines{"new", "force", "easy", "post", "level 40 0:10 0.1", "sd 5", "e2e4", "go",
                                          "new", "force", "easy", "post", "sd 5", "sd 9", "d2d4", "go"}));
}

TEST(XboardEngine, ClockTimesInCentisecondsNeverNegative)
{
    auto harness = xboard({}, "e7e5");
    BaseEngine& engine = harness->driver();
    harness->ev().set_opponent_time(9);
    engine.set_level(Level("sudden_death 0 0 0"));
    engine.start_clock();
    std::this_thread::sleep_for(torvane_test::scaled(std::chrono::milliseconds(30)));
    engine.set_position(position_after(start_fen, "e2e4"));
    engine.go();
    harness->wait_forwarded("bestmove");
    EXPECT_EQ(harness->received(), (Lines{"level 0 0 0", "time 0", "otim 0", "e2e4"}));
}

TEST(XboardEngine, StopForcesAMoveThatIsNotForwarded)
{
    auto harness = xboard({.usermove = true}, "e7e5 d7d5", "hold");
    BaseEngine& engine = harness->driver();
    engine.new_game();
    engine.set_position(position_after(start_fen, "e2e4"));
    engine.go();
    engine.stop();
    EXPECT_EQ(harness->ev().get_state(), idle);
    // On "?" the hold engine prints a thinking line, then its move: both
    // belong to the stopped search.
    harness->engine_says("pong 1");
    EXPECT_EQ(harness->next_forwarded(), "pong 1");
    // The engine played e7e5 on its board: the next position goes by one move.
    engine.set_position(position_after(start_fen, "e2e4 e7e5 g1f3"));
    EXPECT_EQ(without_times(harness->received()),
              (Lines{"new", "force", "easy", "post", "level 40 0:10 0.1", "usermove e2e4", "go", "?"}));
    engine.go();
    harness->engine_says("5 20 100 1000 d7d5");
    EXPECT_EQ(harness->next_forwarded(), "info depth 5 score cp 20 time 1000 nodes 1000 nps 1000  d7d5");
    engine.stop();
    EXPECT_EQ(without_times(harness->received()), (Lines{"usermove g1f3", "?"}));
}

TEST(XboardEngine, AMoveLaterThanTheStopWaitIsNotForwarded)
{
    // The engine takes 1.3 s for every answer: its move comes after stop
    // has given up waiting, and the game is sent again before the next go.
    setenv("TORVANE_FAKE_DELAY_MS", "1300", 1);
    auto harness = xboard({.setboard = true}, "e7e5 d7d5", "slow");
    BaseEngine& engine = harness->driver();
    engine.set_position(position_after(start_fen, "e2e4"));
    engine.go();
    engine.stop();
    EXPECT_EQ(harness->ev().get_state(), idle);
    engine.set_position(position_after(start_fen, "e2e4"));
    engine.go();
    EXPECT_EQ(harness->wait_forwarded("bestmove"), "bestmove d7d5");
    EXPECT_EQ(without_times(harness->received()),
              (Lines{"e2e4", "?", "force", "setboard " + start_fen, "easy", "post", "e2e4", "go"}));
}

TEST(XboardEngine, MovesNotSentDoNotCountAsTheEngines)
{
    auto harness = xboard({}, "g1f3");
    BaseEngine& engine = harness->driver();
    engine.new_game();
    harness->received();
    engine.set_position(position_after(start_fen, "e2e4"));
    engine.set_position(position_after(start_fen, "e2e4 e7e5"));
    EXPECT_EQ(harness->received(), (Lines{"new", "force", "easy", "post", "level 40 0:10 0.1", "e2e4", "e7e5"}));
    engine.go();
    EXPECT_EQ(harness->wait_forwarded("bestmove"), "bestmove g1f3");
    EXPECT_EQ(without_times(harness->received()), (Lines{"go"}));
}

TEST(XboardEngine, MalformedMovesDoNotEndTheDriver)
{
    auto harness = xboard({});
    harness->engine_says("move");
    EXPECT_EQ(harness->next_forwarded(), "bestmove ");
    harness->engine_says("move zz99");
    EXPECT_EQ(harness->next_forwarded(), "bestmove zz99");
    harness->engine_says("move e2e5");
    EXPECT_EQ(harness->next_forwarded(), "bestmove e2e5");
    harness->engine_says("pong 1");
    EXPECT_EQ(harness->next_forwarded(), "pong 1");
}

TEST(XboardEngine, StopWhileIdleSendsNothing)
{
    auto harness = xboard({});
    harness->driver().stop();
    EXPECT_TRUE(harness->received().empty());
}

TEST(XboardEngine, IllegalEngineMoveIsForwardedAsPlayedAndTheGameIsSentAgain)
{
    auto harness = xboard({.setboard = true}, "e7e4 e7e5");
    BaseEngine& engine = harness->driver();
    engine.set_position(position_after(start_fen, "e2e4"));
    engine.go();
    EXPECT_EQ(harness->wait_forwarded("bestmove"), "bestmove e7e4");
    EXPECT_TRUE(harness->wait_state(idle));
    harness->received();
    engine.set_position(position_after(start_fen, "e2e4"));
    EXPECT_EQ(harness->received(), (Lines{"force", "setboard " + start_fen, "easy", "post", "e2e4"}));
}

struct OutputCase {
    std::string engine_line;
    std::string forwarded;
};

std::ostream& operator<<(std::ostream& out, const OutputCase& param) { return out << param.engine_line; }

class XboardOutput : public testing::TestWithParam<OutputCase> {};

TEST_P(XboardOutput, IsForwardedInTheUciVocabulary)
{
    auto harness = xboard({});
    // Thinking lines pass only while the engine thinks.
    if (GetParam().forwarded.rfind("info", 0) == 0)
        harness->ev().set_state(2);
    harness->engine_says(GetParam().engine_line);
    EXPECT_EQ(harness->next_forwarded(), GetParam().forwarded);
}

TEST(XboardEngine, ThinkingLinesOfAnIdleEngineAreDropped)
{
    auto harness = xboard({});
    harness->engine_says("12 34 250 123456 e2e4 e7e5");
    harness->engine_says("pong 9");
    EXPECT_EQ(harness->next_forwarded(), "pong 9");
}

// The driver cannot tell when a pondering engine stops, so its thinking is
// heard while the driver counts it idle.
TEST(XboardEngine, ThinkingLinesOfAnIdleEngineThatMayPonderPass)
{
    auto harness = xboard({});
    harness->driver().set_ponder(true);
    harness->engine_says("12 34 250 123456 e2e4 e7e5");
    EXPECT_EQ(harness->next_forwarded(), "info depth 12 score cp 34 time 2500 nodes 123456 nps 49382  e2e4 e7e5");
}

INSTANTIATE_TEST_SUITE_P(
    Lines, XboardOutput,
    testing::Values(OutputCase{"resign", "resign"}, OutputCase{"resigns", "resign"},
                    OutputCase{"White resigns", "White resigns"},
                    OutputCase{"Illegal move: e9e4", "resign"},
                    OutputCase{"illegal move: e9e4", "illegal move: e9e4"},
                    OutputCase{"0-1 {White resigns}", ""}, OutputCase{"1-0", ""}, OutputCase{"1/2-1/2 {Draw}", ""},
                    OutputCase{"# any comment", ""}, OutputCase{"* {Unfinished}", "* {Unfinished}"},
                    OutputCase{"pong 3", "pong 3"}, OutputCase{"1. ... g1f3", "bestmove g1f3"},
                    OutputCase{"My move is : g1f3", "My move is : g1f3"}, OutputCase{"telluser hello", "telluser hello"},
                    OutputCase{"12 34 250 123456 e2e4 e7e5",
                               "info depth 12 score cp 34 time 2500 nodes 123456 nps 49382  e2e4 e7e5"},
                    OutputCase{"10 25 150 12345", "info depth 10 score cp 25 time 1500 nodes 12345 nps 8230 "},
                    OutputCase{"5 -30 0 1000 d2d4", "info depth 5 score cp -30 time 0 nodes 1000 nps 0  d2d4"},
                    OutputCase{"7 x 100 100", "info depth 7 score cp 0 time 0 nodes 0 nps 0 "}));

// An older engine announces its move twice, as "N. ... MOVE" and as
// "My move is : MOVE": the first is the move, the second is forwarded as
// text, and the next move of either colour is read in the advanced position.
TEST(XboardEngine, OlderMoveLinesCountOnce)
{
    auto harness = xboard({}, "", "hold");
    BaseEngine& engine = harness->driver();
    engine.set_position(position_after(start_fen));
    engine.go();
    harness->engine_says("1. ... g1f3");
    harness->engine_says("My move is : g1f3");
    EXPECT_EQ(harness->next_forwarded(), "bestmove g1f3");
    EXPECT_EQ(harness->next_forwarded(), "My move is : g1f3");
    EXPECT_TRUE(harness->wait_state(idle));

    engine.set_position(position_after(start_fen, "g1f3 e7e5"));
    engine.go();
    harness->engine_says("2. ... f3e5");
    harness->engine_says("My move is : f3e5");
    EXPECT_EQ(harness->next_forwarded(), "bestmove f3e5");
    EXPECT_EQ(harness->next_forwarded(), "My move is : f3e5");
    EXPECT_EQ(harness->next_forwarded(std::chrono::milliseconds(300)), std::nullopt);
}

TEST(XboardEngine, OlderMoveLinesForBlackWithCastlingAndPromotion)
{
    const std::string fen = "r3k2r/1P6/8/8/8/8/8/R3K2R b KQkq - 0 1";
    auto harness = xboard({}, "", "hold");
    BaseEngine& engine = harness->driver();
    engine.set_position(position_after(fen));
    engine.go();
    harness->engine_says("1. ... O-O");
    EXPECT_EQ(harness->next_forwarded(), "bestmove e8g8");
    engine.set_position(position_after(fen, "e8g8 b7a8q"));
    engine.go();
    harness->engine_says("2. ... f8a8");
    EXPECT_EQ(harness->next_forwarded(), "bestmove f8a8");

    const std::string promotion_fen = "8/P6k/8/8/8/8/8/K7 w - - 0 1";
    engine.set_position(position_after(promotion_fen));
    engine.go();
    harness->engine_says("1. ... a7a8q");
    EXPECT_EQ(harness->next_forwarded(), "bestmove a7a8q");
}

TEST(XboardEngine, ResignationMakesTheEngineIdle)
{
    auto harness = xboard({}, "", "hold");
    BaseEngine& engine = harness->driver();
    engine.set_position(position_after(start_fen, "e2e4"));
    engine.go();
    EXPECT_EQ(harness->ev().get_state(), thinking);
    harness->engine_says("resign");
    EXPECT_EQ(harness->wait_forwarded("resign"), "resign");
    EXPECT_EQ(harness->ev().get_state(), idle);
}

TEST(XboardEngine, EveryForwardedLineCarriesNumberAndToken)
{
    auto harness = xboard({});
    harness->engine_says("# hidden");
    EXPECT_EQ(harness->next_forwarded(std::chrono::seconds(5), true), "1 4242 ");
    harness->driver().set_token(77);
    harness->engine_says("pong 1");
    EXPECT_EQ(harness->next_forwarded(std::chrono::seconds(5), true), "unexpected prefix: 1 77 pong 1");
}

// The command texts need no engine process.
class XboardCommands : public testing::Test {
protected:
    void SetUp() override { m_engine.init(1, &m_ev, &m_engio); }

    Engio m_engio;
    EngineVariables m_ev;
    XboardEngine m_engine;
};

TEST_F(XboardCommands, TimeControlTexts)
{
    EXPECT_EQ(m_engine.level_commands(Level("fixed_depth 12")), (Lines{"sd 12"}));
    EXPECT_EQ(m_engine.level_commands(Level("fixed_movetime 1500")), (Lines{"st 2"}));
    EXPECT_EQ(m_engine.level_commands(Level("fixed_movetime 300")), (Lines{"st 1"}));
    EXPECT_EQ(m_engine.level_commands(Level("sessions 40 0:10 0.1")), (Lines{"level 40 0:10 0.1"}));
    EXPECT_EQ(m_engine.level_commands(Level("sudden_death 0 5 2")), (Lines{"level 0 5 2"}));
    EXPECT_EQ(m_engine.level_commands(Level("fixed_nodes 2500000")), (Lines{"st 3"}));
    m_ev.set_feature("nps", true);
    EXPECT_EQ(m_engine.level_commands(Level("fixed_nodes 5000")), (Lines{"nps 5000", "st 1"}));
}

// Centiseconds; under a fixed move time or node count both clocks show one
// move, never the unlimited budget those levels carry.
TEST_F(XboardCommands, ClockTexts)
{
    const std::int64_t unlimited = 1073741824;
    EXPECT_EQ(m_engine.clock_commands(Level("sessions 40 0:10 0.1"), 9876, 5432), (Lines{"time 987", "otim 543"}));
    EXPECT_EQ(m_engine.clock_commands(Level("sudden_death 0 5 2"), -300, 5432), (Lines{"time 0", "otim 543"}));
    EXPECT_EQ(m_engine.clock_commands(Level("fixed_depth 6"), unlimited, unlimited),
              (Lines{"time 107374182", "otim 107374182"}));
    EXPECT_EQ(m_engine.clock_commands(Level("fixed_movetime 50"), unlimited, unlimited), (Lines{"time 5", "otim 5"}));
    EXPECT_EQ(m_engine.clock_commands(Level("fixed_movetime 3"), unlimited, unlimited), (Lines{"time 1", "otim 1"}));
    EXPECT_EQ(m_engine.clock_commands(Level("fixed_nodes 2500000"), unlimited, unlimited), (Lines{"time 300", "otim 300"}));
    m_ev.set_feature("nps", true);
    EXPECT_EQ(m_engine.clock_commands(Level("fixed_nodes 5000"), unlimited, unlimited), (Lines{"time 100", "otim 100"}));
}

TEST_F(XboardCommands, CastlingTexts)
{
    EXPECT_EQ(m_engine.castling_to_coordinates("o_o"), "e1g1");
    EXPECT_EQ(m_engine.castling_to_coordinates("0-0-0"), "e1c1");
    EXPECT_EQ(m_engine.castling_to_coordinates("O-O+"), "O-O+");
    EXPECT_EQ(m_engine.castling_to_coordinates("e1g1"), "e1g1");
    m_ev.set_feature("san", true);
    EXPECT_EQ(m_engine.castling_to_coordinates("0-0-0"), "O-O-O");
    EXPECT_EQ(m_engine.castling_to_coordinates("O_O"), "O-O");
}

struct PonderingEnd {
    std::string name;
    void (*end)(BaseEngine&);
};

std::ostream& operator<<(std::ostream& out, const PonderingEnd& param) { return out << param.name; }

class XboardPonderingEnd : public testing::TestWithParam<PonderingEnd> {};

// A pondering engine's thinking after its move is heard until the game it
// ponders on is left: by a stop, or by force mode for another position.
TEST_P(XboardPonderingEnd, DropsTheThinkingThatFollows)
{
    auto harness = xboard({.setboard = true}, "e7e5", "quiet");
    BaseEngine& engine = harness->driver();
    engine.set_ponder(true);
    engine.set_position(position_after(start_fen, "e2e4"));
    engine.go();
    EXPECT_EQ(harness->wait_forwarded("bestmove"), "bestmove e7e5");
    harness->engine_says("4 10 50 500 g1f3");
    EXPECT_EQ(harness->next_forwarded(), "info depth 4 score cp 10 time 500 nodes 500 nps 1000  g1f3");
    GetParam().end(engine);
    harness->engine_says("4 11 60 600 g1f3");
    harness->engine_says("pong 1");
    EXPECT_EQ(harness->next_forwarded(), "pong 1");
}

INSTANTIATE_TEST_SUITE_P(
    Ends, XboardPonderingEnd,
    testing::Values(PonderingEnd{"Stop", [](BaseEngine& engine) { engine.stop(); }},
                    PonderingEnd{"ForceMode",
                                 [](BaseEngine& engine) { engine.set_position(position_after(start_fen, "d2d4")); }}),
    [](const testing::TestParamInfo<PonderingEnd>& info) { return info.param.name; });

TEST(XboardEngine, AResignationThatAnswersAStopIsNotForwarded)
{
    // The first search waits for "?" and resigns; the next one moves.
    auto harness = xboard({.setboard = true}, "resign e7e5", "hold_first");
    BaseEngine& engine = harness->driver();
    engine.set_position(position_after(start_fen, "e2e4"));
    engine.go();
    engine.stop();
    harness->engine_says("pong 1");
    EXPECT_EQ(harness->next_forwarded(), "pong 1");
    engine.set_position(position_after(start_fen, "e2e4"));
    engine.go();
    EXPECT_EQ(harness->wait_forwarded("bestmove"), "bestmove e7e5");
}

struct UnansweredStop {
    std::string name;
    std::string moves;
    bool answered_late;  // the stopped search's move comes after stop gave up
    std::string forwarded;
};

std::ostream& operator<<(std::ostream& out, const UnansweredStop& param) { return out << param.name; }

class XboardUnansweredStop : public testing::TestWithParam<UnansweredStop> {};

// Stop gives up waiting for the forced move; then the next search's answer,
// and only that, is forwarded.
TEST_P(XboardUnansweredStop, ForwardsTheAnswerOfTheNextSearch)
{
    setenv("TORVANE_FAKE_DELAY_MS", "1300", 1);
    auto harness = xboard({.setboard = true, .ping = true}, GetParam().moves, GetParam().answered_late ? "slow" : "");
    BaseEngine& engine = harness->driver();
    if (GetParam().answered_late) {
        engine.set_position(position_after(start_fen, "e2e4"));
        engine.go();
    } else {
        // Counted as thinking while it is not, the engine leaves "?"
        // unanswered, as one that ignores it does.
        harness->ev().set_state(thinking);
    }
    engine.stop();
    engine.set_position(position_after(start_fen, "e2e4"));
    engine.go();
    const std::string& forwarded = GetParam().forwarded;
    EXPECT_EQ(harness->wait_forwarded(forwarded.substr(0, forwarded.find(' '))), forwarded);
}

INSTANTIATE_TEST_SUITE_P(
    Answers, XboardUnansweredStop,
    testing::Values(UnansweredStop{"Resignation", "resign", false, "resign"},
                    UnansweredStop{"Move", "e7e5", false, "bestmove e7e5"},
                    UnansweredStop{"AfterALateMove", "e7e5 d7d5", true, "bestmove d7d5"}),
    [](const testing::TestParamInfo<UnansweredStop>& info) { return info.param.name; });

}
