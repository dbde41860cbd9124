// Games through the console with the fake engine: every way a game ends,
// against a human and between two engines, with its exact result lines.
#include "tests/manager/console_fixtures.h"
#include "tests/manager/session_tokens.h"
#include "tests/support/peer_programs.h"
#include "tests/support/test_time.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <future>
#include <map>
#include <random>
#include <sstream>

namespace torvane_test {
namespace {

using namespace std::chrono_literals;

TEST(ConsoleGames, GamesAgainstAHumanEndWithTheirResultLines)
{
    const struct {
        std::string program;
        std::string protocol;
        std::string fen;
        std::string engine_moves;
        Lines user_moves;  // none: the engine moves first ("go")
        std::string result;
        std::string level = "fixed_depth 1";
    } cases[] = {
        {"fake_engine", "1", "6k1/5ppp/8/8/8/8/8/R5K1 w - - 0 1", "a1a8", {}, "1-0 {White mates}"},
        {"fake_engine", "1", "r5k1/8/8/8/8/8/5PPP/6K1 b - - 0 1", "a8a1", {}, "0-1 {Black mates}"},
        {"fake_engine", "1", "7k/8/6K1/8/8/8/5Q2/8 w - - 0 1", "f2f7", {}, "1/2-1/2 {Stalemate}"},
        {"fake_engine", "1", "4k3/8/8/8/8/8/3n4/2B1K3 w - - 0 1", "c1d2", {}, "1/2-1/2 {Draw by insufficient material}"},
        {"fake_engine", "1", "4k3/8/8/8/8/8/8/R3K3 w - - 99 80", "a1a2", {}, "1/2-1/2 {Draw by fifty move rule}"},
        {"fake_engine", "1", start_fen, "g8f6 f6g8 g8f6 f6g8", {"g1f3", "f3g1", "g1f3", "f3g1"},
         "1/2-1/2 {Draw by threefold repetition}"},
        {"fake_engine", "1", "6k1/5ppp/8/8/8/8/8/R5K1 w - - 0 1", "", {"a1a8"}, "1-0 {White mates}"},
        {"fake_engine_illegal", "1", start_fen, "", {}, "0-1 {illegal move: e2e5}"},
        {"fake_engine_illegal", "1", start_fen, "", {"d2d4"}, "1-0 {illegal move: e2e5}"},
        {"fake_engine_none", "1", start_fen, "", {}, "0-1 {illegal move: (none)}"},
        // No move under a clock loses at once as well; with no legal move the rules decide.
        {"fake_engine_null_move", "1", start_fen, "", {"e2e4"}, "1-0 {illegal move: 0000}", "sudden_death 0 0:03 0"},
        {"fake_engine_none", "1", start_fen, "", {}, "0-1 {illegal move: (none)}", "sessions 40 0:10 0.1"},
        {"fake_engine_none", "1", "7k/5Q2/6K1/8/8/8/8/8 b - - 0 1", "", {}, "1/2-1/2 {Stalemate}",
         "sudden_death 0 0:03 0"},
        {"fake_engine_resign", "3", start_fen, "", {}, "0-1 {white resigns}"},
        {"fake_engine_resign", "3", start_fen, "", {"e2e4"}, "1-0 {black resigns}"},
    };
    for (const auto& test : cases) {
        ConsoleSession console({{"TORVANE_FAKE_MOVES", test.engine_moves}});
        console.send("0 load " + test.protocol + " filename " + ConsoleSession::fake_engine(test.program));
        console.send("0 level " + test.level);
        console.send("0 setboard " + test.fen);
        console.send(test.user_moves.empty() ? "0 go" : "0 human_computer");
        auto done = [](const std::string& line) { return line == "shout" || starts_with(line, "telluser result: "); };
        Lines lines;
        for (const std::string& move : test.user_moves) {
            console.send("0 usermove " + move);
            const Lines answer = console.lines_until(done);
            lines.insert(lines.end(), answer.begin(), answer.end());
        }
        if (lines.empty() || lines.back() == "shout") {
            const Lines answer = console.lines_until([](const std::string& line) { return starts_with(line, "telluser result: "); });
            lines.insert(lines.end(), answer.begin(), answer.end());
        }
        ASSERT_GE(lines.size(), 3u) << test.fen;
        EXPECT_EQ(result_lines(lines), Lines{test.result}) << test.fen;
        const std::string first_word = test.result.substr(0, test.result.find(' '));
        EXPECT_EQ(Lines(lines.end() - 3, lines.end()), (Lines{test.result, "round ?", "telluser result: " + first_word}));
    }
}

// A one-game match between two fake engines, each playing its own script of
// moves from the suite's position; the run's lines.
Lines one_game_match(const std::string& white, const std::string& white_moves, const std::string& black,
                     const std::string& black_moves, const std::string& epd, const std::string& level,
                     std::map<std::string, std::string> environment = {})
{
    ConsoleSession console(environment);
    const bool xboard_black = black == "fake_engine_resign";
    write_engines_cfg(console, {{"White", scripted_fake_engine(console.dir(), "white.sh", white_moves, white), "uci"},
                                {"Black", scripted_fake_engine(console.dir(), "black.sh", black_moves, black),
                                 xboard_black ? "xboard_v2" : "uci"}});
    if (!epd.empty()) {
        console.write_file("suite.epd", epd + "\n");
    }
    write_tournament(console, {.event = "Fake Match", .level = level,
                               .suite = epd.empty() ? "" : console.dir() + "/suite.epd",
                               .participants = {"White", "Black"}, .games = {{"1", 1, 1, 2}}});
    Lines lines = play_tournament(console, "Fake Match");
    // After the end nothing more happens, whatever the engines still say.
    console.send(engine_line(1, session_token(1), "resign"));
    console.send(engine_line(2, session_token(2), "resign"));
    const Lines later = console.lines_for(0.5s);
    lines.insert(lines.end(), later.begin(), later.end());
    const std::string file = console.read_file("tournaments/Fake Match.trn");
    lines.push_back(file.substr(file.rfind("result=")));
    return lines;
}

TEST(ConsoleGames, EngineGamesEndWithTheirResultLines)
{
    const struct {
        std::string white;
        std::string white_moves;
        std::string black;
        std::string black_moves;
        std::string epd;
        std::string result;
        int moves;
        std::string level = "fixed_depth 1";
    } cases[] = {
        // A mate with a queen each after six quiet plies is a mate, not an adjudicated draw.
        {"fake_engine", "h8g7 g7h8 h8g7", "fake_engine", "c7c6 c6c7 c7c1", "7Q/2q5/8/8/8/1k6/8/K7 w - -",
         "0-1 {Black mates}", 6},
        {"fake_engine", "a1a2 a2a1 a1a2", "fake_engine", "a8a7 a7a8 a8a7", "r3k3/8/8/8/8/8/8/R3K3 w - -",
         "1/2-1/2 {adjudicated}", 6},
        {"fake_engine", "d2c4", "fake_engine", "", "4k3/8/8/3n4/8/8/3N4/4K3 w - -",
         "1/2-1/2 {Draw by insufficient material}", 1},
        {"fake_engine_illegal", "", "fake_engine", "", "", "0-1 {illegal move: e2e5}", 0},
        {"fake_engine", "e2e4", "fake_engine_illegal", "", "", "1-0 {illegal move: e2e5}", 1},
        {"fake_engine_none", "", "fake_engine", "", "", "0-1 {illegal move: (none)}", 0},
        {"fake_engine_null_move", "", "fake_engine", "", "", "0-1 {illegal move: 0000}", 0, "sudden_death 0 0:03 0"},
        {"fake_engine", "e2e4", "fake_engine_none", "", "", "1-0 {illegal move: (none)}", 1, "sudden_death 0 0:03 0"},
        {"fake_engine_crash_on_go", "", "fake_engine", "", "", "0-1 {engine failure}", 0},
        {"fake_engine_legal", "", "fake_engine_resign", "", "", "1-0 {black resigns}", 1},
        // An opening that is already mate is the whole game.
        {"fake_engine", "", "fake_engine", "", "k7/1Q6/1K6/8/8/8/8/8 b - -", "1-0 {White mates}", 0},
    };
    for (const auto& test : cases) {
        const Lines lines =
            one_game_match(test.white, test.white_moves, test.black, test.black_moves, test.epd, test.level);
        EXPECT_EQ(result_lines(lines), Lines{test.result}) << test.result;
        std::size_t moves = 0;
        for (const std::string& line : lines) {
            moves += starts_with(line, "move ") ? 1 : 0;
        }
        EXPECT_EQ(moves, static_cast<std::size_t>(test.moves)) << test.result;
        const std::string first_word = test.result.substr(0, test.result.find(' '));
        EXPECT_EQ(Lines(lines.end() - 4, lines.end()),
                  (Lines{test.result, "telluser tournament_finished", "tournament_finished", "result=" + first_word + "\n"}))
            << test.result;
    }
}

// Engine 1 answers "uci" and "isready" but never a search (hold). Against the
// human, as Black, and in a tournament game, as White, it loses at every
// level about 20 s after its move time or clock ran out, or after its silent
// go at a depth. The rows run side by side.
TEST(ConsoleGames, ASilentEngineLosesAtEveryLevel)
{
    const struct {
        std::string level;
        bool tournament;
        std::string result;
    } cases[] = {
        {"fixed_movetime 100", false, "1-0 {time}"},
        {"fixed_depth 5", false, "1-0 {engine failure}"},
        {"sudden_death 0 0:01 0", false, "1-0 {time}"},
        {"fixed_movetime 100", true, "0-1 {time}"},
        {"fixed_depth 5", true, "0-1 {engine failure}"},
    };
    std::vector<std::future<void>> rows;
    for (const auto& test : cases) {
        rows.push_back(std::async(std::launch::async, [&test] {
            const ConsoleSession::Seconds bound = scaled(40s);
            const std::string silent = ConsoleSession::fake_engine("fake_engine_hold");
            ConsoleSession console;
            const auto began = std::chrono::steady_clock::now();
            Lines lines;
            if (test.tournament) {
                write_engines_cfg(console, {{"Silent", silent, "uci"}, {"Other", ConsoleSession::fake_engine(), "uci"}});
                write_tournament(console, {.event = "Silent", .level = test.level, .participants = {"Silent", "Other"},
                                           .games = {{"1", 0, 1, 2}}});
                lines = play_tournament(console, "Silent", bound.count());
            } else {
                console.send("0 load 1 filename " + silent);
                console.send("0 level " + test.level);
                console.send("0 human_computer");
                console.send("0 usermove e2e4");
                lines = console.lines_until([](const std::string& line) { return starts_with(line, "telluser result: "); },
                                            bound);
            }
            EXPECT_LT(std::chrono::steady_clock::now() - began, scaled(30s)) << test.level;
            EXPECT_EQ(result_lines(lines), Lines{test.result}) << test.level;
        }));
    }
    for (auto& row : rows) {
        row.get();
    }
}

// The clock lines an engine was given, in order: UCI "go", xboard "time" and "otim".
Lines clock_lines(const std::string& received)
{
    Lines lines;
    std::istringstream in(received);
    for (std::string line; std::getline(in, line);) {
        if (starts_with(line, "go ") || starts_with(line, "time ") || starts_with(line, "otim ")) {
            lines.push_back(line);
        }
    }
    return lines;
}

TEST(ConsoleGames, TheFirstEngineToMoveIsToldBothClocks)
{
    const struct {
        bool against_human;
        std::string protocol;
        Lines told;
    } cases[] = {
        {true, "uci", {"go wtime 60000 btime 60000 winc 0 binc 0"}},
        {false, "uci", {"go wtime 60000 btime 60000 winc 0 binc 0"}},
        {false, "xboard_v2", {"time 6000", "otim 6000"}},
    };
    // One minute each; the engine that moves first is the only one recorded.
    for (const auto& test : cases) {
        ConsoleSession console;
        const std::string first =
            scripted_fake_engine(console.dir(), "first.sh", test.against_human ? "e7e5" : "e2e4", "fake_engine",
                                 {{"TORVANE_FAKE_RECORD", "first.txt"}});
        if (test.against_human) {
            console.send("0 load 1 filename " + first);
            console.send("0 level sudden_death 0 1:00 0");
            console.send("0 human_computer");
            console.send("0 usermove d2d4");
            console.lines_until("shout");
        } else {
            write_engines_cfg(console, {{"White", first, test.protocol},
                                        {"Black", ConsoleSession::fake_engine("fake_engine_illegal"), "uci"}});
            write_tournament(console, {.event = "Clocks", .level = "sudden_death 0 1:00 0",
                                       .participants = {"White", "Black"}, .games = {{"1", 0, 1, 2}}});
            play_tournament(console, "Clocks");
        }
        const Lines told = clock_lines(console.read_file("first.txt"));
        ASSERT_GE(told.size(), test.told.size()) << test.protocol;
        EXPECT_EQ(Lines(told.begin(), told.begin() + static_cast<long>(test.told.size())), test.told) << test.protocol;
    }
}

// A position set up during the game keeps both clocks, whether it is the
// game's start again or the position shown sent again; only a new game or a
// time control started afresh ("level", which the window sends with every
// new position) gives the engine its full time again.
TEST(ConsoleGames, OnlyANewGameOrTimeControlGivesTheEngineTheFullTimeControlAgain)
{
    const std::string after_d4_e5 = "rnbqkbnr/pppp1ppp/8/4p3/3P4/8/PPP1PPPP/RNBQKBNR w KQkq - 0 2";
    const struct {
        Lines change;
        std::string second_move;
        std::string engine_moves;
        std::string moves_to_go;
    } cases[] = {
        {{"0 setboard " + start_fen, "0 level sessions 40 1:00 0"}, "d2d4", "e7e5 e7e5", "movestogo 40"},
        {{"0 new"}, "d2d4", "e7e5 e7e5", "movestogo 40"},
        {{"0 setboard " + start_fen}, "d2d4", "e7e5 e7e5", "movestogo 39"},
        {{"0 setboard " + after_d4_e5}, "g1f3", "e7e5 b8c6", "movestogo 39"},
    };
    for (const auto& test : cases) {
        ConsoleSession console;
        const std::string engine = scripted_fake_engine(console.dir(), "engine.sh", test.engine_moves, "fake_engine",
                                                        {{"TORVANE_FAKE_RECORD", "go.txt"}});
        console.send("0 load 1 filename " + engine);
        console.send("0 level sessions 40 1:00 0");
        console.send("0 human_computer");
        console.send("0 usermove d2d4");
        console.lines_until("shout");
        for (const std::string& line : test.change)
            console.send(line);
        console.send("0 usermove " + test.second_move);
        console.lines_until("shout");
        const Lines told = clock_lines(console.read_file("go.txt"));
        ASSERT_EQ(told.size(), 2U) << test.change.front();
        EXPECT_EQ(told[0], "go wtime 60000 btime 60000 winc 0 binc 0  movestogo 40");
        EXPECT_TRUE(told[1].ends_with(test.moves_to_go)) << test.change.front() << ": " << told[1];
    }
}

TEST(ConsoleGames, AnEngineOverItsTimeLosesAfterItsMove)
{
    const Lines lines = one_game_match("fake_engine_slow", "e2e4", "fake_engine", "", "", "sudden_death 0 0:02 0",
                                       {{"TORVANE_FAKE_DELAY_MS", "1500"}});
    ASSERT_EQ(result_lines(lines), Lines{"0-1 {time}"});
    auto result = std::find(lines.begin(), lines.end(), "0-1 {time}");
    // The move and its time are told, no clock line follows.
    ASSERT_GE(result - lines.begin(), 2);
    EXPECT_EQ(*(result - 2), "move e2e4");
    EXPECT_TRUE(starts_with(*(result - 1), "emt "));
}

// The suite's game starts from a position of its own: the window is shown that
// position and then the game's moves; the time control is told once, among the
// game's tags.
TEST(ConsoleGames, ATournamentOpeningIsShownFromItsOwnStartPosition)
{
    ConsoleSession console;
    const std::string fen = "r3k2r/pppppppp/8/8/8/8/PPPPPPPP/R3K2R w KQkq - 0 1";
    console.write_file("suite.pgn", "[Event \"?\"]\n[SetUp \"1\"]\n[FEN \"" + fen + "\"]\n\n1. Rb1 Rb8 *\n");
    write_engines_cfg(console, {{"White", ConsoleSession::fake_engine("fake_engine_illegal"), "uci"},
                                {"Black", ConsoleSession::fake_engine(), "uci"}});
    write_tournament(console, {.event = "Own Start", .level = "fixed_depth 1", .suite = console.dir() + "/suite.pgn",
                               .participants = {"White", "Black"}, .games = {{"1", 1, 1, 2}}});
    const Lines lines = play_tournament(console, "Own Start");
    const auto diagram =
        std::find_if(lines.begin(), lines.end(), [](const std::string& line) { return starts_with(line, "diagram "); });
    ASSERT_GE(std::distance(diagram, lines.end()), 3);
    EXPECT_EQ(Lines(diagram, diagram + 3), (Lines{"diagram " + fen, "move a1b1", "move a8b8"}));
    EXPECT_EQ(std::count(lines.begin(), lines.end(), "level fixed_depth 1"), 1);
    EXPECT_EQ(result_lines(lines), Lines{"0-1 {illegal move: e2e5}"});
}

// What follows each key in a text up to the end after it: the value of
// every "[Result" tag of a PGN file, every "result=" of a ".trn" file's game
// lines, every "[%time" command of the move comments.
Lines results_in(const std::string& text, const std::string& key, const std::string& end)
{
    Lines results;
    for (auto at = text.find(key); at != std::string::npos; at = text.find(key, at + 1)) {
        const auto from = at + key.size();
        results.push_back(text.substr(from, text.find(end, from) - from));
    }
    return results;
}

// The suite's moves reach the Ruy Lopez, the engines' moves 3...a6 4.Ba4
// another named position and 4...h6 none. The record names the opening as
// pgn-extract classifies the game from the same table, and gives each engine
// move the time the manager told the window in its "emt" line.
TEST(ConsoleGames, ATournamentGameIsRecordedWithItsOpeningAndEachEngineMoveTime)
{
    // Each answer comes after a while, so that the move times differ from 0.
    ConsoleSession console(std::map<std::string, std::string>{{"TORVANE_FAKE_DELAY_MS", "20"}});
    console.write_file("suite.pgn", "[Event \"?\"]\n\n1. e4 e5 2. Nf3 Nc6 3. Bb5 *\n");
    const auto engine = [&console](const std::string& name, const std::string& moves) {
        return scripted_fake_engine(console.dir(), name, moves, "fake_engine_slow");
    };
    write_engines_cfg(console, {{"White", engine("white.sh", "b5a4"), "uci"},
                                {"Black", engine("black.sh", "a7a6 h7h6"), "uci"}});
    write_tournament(console, {.event = "Spanish", .level = "fixed_depth 1", .suite = console.dir() + "/suite.pgn",
                               .participants = {"White", "Black"}, .games = {{"1", 1, 1, 2}}});
    const Lines lines = play_tournament(console, "Spanish");
    ASSERT_EQ(result_lines(lines), Lines{"0-1 {illegal move: (none)}"});
    const std::string extract = peer_program("pgn-extract") + " -s -w100000 " + quoted(console.dir() + "/Spanish.pgn");
    const std::string recorded = run_command(extract + " 2>/dev/null");
    const std::string classified = run_command(extract + " -e" + quoted(TORVANE_SOURCE_DIR "/eco/data/eco.pgn") + " 2>/dev/null");
    for (const char* tag : {"[ECO \"", "[Opening \""}) {
        ASSERT_EQ(results_in(classified, tag, "\"").size(), 1u) << classified;
        EXPECT_EQ(results_in(recorded, tag, "\""), results_in(classified, tag, "\"")) << recorded;
    }
    Lines told;
    for (const std::string& line : lines) {
        if (starts_with(line, "emt "))
            told.push_back(line.substr(4));
    }
    EXPECT_EQ(told.size(), 3u);
    EXPECT_EQ(results_in(recorded, "[%time ", "]"), told) << recorded;
}

// A tournament stopped and resumed at random moments, each after a random
// number (0 to 9) of the engines' moves: whenever it stands, every game that
// its ".trn" file scores is in its PGN file, once and with the same result,
// also a game lost at its first move.
TEST(ConsoleGames, EveryGameTheTournamentFileScoresIsInItsPgnFileWhereverItIsStopped)
{
    ConsoleSession console(std::map<std::string, std::string>{{"TORVANE_FAKE_DELAY_MS", "10"}});
    const auto engine = [&console](const std::string& name, const std::string& moves) {
        return scripted_fake_engine(console.dir(), name, moves, "fake_engine_slow");
    };
    write_engines_cfg(console, {{"Fool", engine("fool", "f2f3 g2g4"), "uci"},
                                {"Mater", engine("mater", "e7e5 d8h4"), "uci"}});
    TournamentFile tournament{.event = "Stops", .level = "fixed_depth 1", .participants = {"Fool", "Mater"}};
    for (int game = 1; game <= 8; ++game)
        tournament.games.push_back({std::to_string(game), 0, game % 4 == 0 ? 2 : 1, game % 4 == 0 ? 1 : 2});
    write_tournament(console, tournament);
    console.send("0 load_tournament Stops");
    std::mt19937 random(2026);
    bool finished = false;
    for (int stop = 1; stop <= 40 && !finished; ++stop) {
        console.send("0 start_tournament");
        const auto moves = static_cast<int>(random() % 10);
        int seen = 0;
        if (moves > 0) {
            const auto stop_here = [&](const std::string& line) {
                finished = finished || line == "tournament_finished";
                return finished || (starts_with(line, "move ") && ++seen == moves);
            };
            console.lines_until(stop_here, 60s);
        }
        console.send("0 human_human");
        console.send("0 ping " + std::to_string(stop));
        for (const std::string& line : console.lines_until("pong " + std::to_string(stop), 60s))
            finished = finished || line == "tournament_finished";
        Lines scored = results_in(console.read_file("tournaments/Stops.trn"), "result=", "\n");
        scored.erase(std::remove(scored.begin(), scored.end(), "*"), scored.end());
        ASSERT_EQ(results_in(console.read_file("Stops.pgn"), "[Result \"", "\""), scored) << "stop " << stop;
    }
    EXPECT_TRUE(finished);
    // Games 4 and 8 have the mater White, who loses at once with an illegal move.
    EXPECT_EQ(results_in(console.read_file("Stops.pgn"), "{illegal move: ", "}"), Lines(2, "e7e5"));
}

// The result of game 1 cannot be saved (once engine 1 has started, a
// directory stands where the event's ".trn" file goes), so the run ends with
// the game in the PGN file only. Resumed once the file is back as the run
// saved it before its first game, the run scores game 1 from the PGN file
// instead of playing it again, then plays game 2; also when the file the
// user made records no length of the PGN file, as one written by hand.
TEST(ConsoleGames, AResumedTournamentScoresTheGameItAppendedButCouldNotSave)
{
    ConsoleSession console(std::map<std::string, std::string>{{"TORVANE_FAKE_MOVES", "d2c4"}});
    const std::string trn = "tournaments/Saved Elsewhere.trn";
    write_engines_cfg(console, {{"W",
                                 write_engine_wrapper(console.dir(), "w.sh", ConsoleSession::fake_engine(), {},
                                                      commands_blocking_file(trn)),
                                 "uci"},
                                {"B", ConsoleSession::fake_engine(), "uci"}});
    console.write_file("suite.epd", "4k3/8/8/3n4/8/8/3N4/4K3 w - -\n");
    write_tournament(console,
                     {.event = "Saved Elsewhere", .level = "fixed_depth 1", .suite = console.dir() + "/suite.epd",
                      .participants = {"W", "B"}, .games = {{"1", 1, 1, 2}, {"2", 1, 2, 1}}},
                     "Loaded");
    ASSERT_EQ(result_lines(play_tournament(console, "Loaded")).size(), 1u);
    std::filesystem::remove(console.dir() + "/" + trn);
    std::filesystem::rename(console.dir() + "/" + trn + ".aside", console.dir() + "/" + trn);
    const Lines resumed = play_tournament(console, "Loaded");
    EXPECT_EQ(std::count(resumed.begin(), resumed.end(), "round 1"), 0);
    EXPECT_EQ(result_lines(resumed), Lines{"1/2-1/2 {Draw by insufficient material}"});
    EXPECT_EQ(results_in(console.read_file("Saved Elsewhere.pgn"), "[Round \"", "\""), (Lines{"1", "2"}));
    EXPECT_EQ(results_in(console.read_file("tournaments/Saved Elsewhere.trn"), "result=", "\n"),
              (Lines{"1/2-1/2", "1/2-1/2"}));
}

}
}
