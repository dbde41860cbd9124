// The tournament runner with the fake engine: the record and the analysis
// comments of each game, the engines kept or replaced between games, games
// ended by engine faults, files that cannot be read or written, and a run
// resumed after a result that could not be saved.
#include "game/chess_game.h"
#include "tests/manager/console_fixtures.h"
#include "tests/manager/runner_fixture.h"
#include "tests/support/test_time.h"

#include <gtest/gtest.h>

#include <cctype>
#include <chrono>
#include <csignal>
#include <filesystem>
#include <fstream>
#include <functional>
#include <future>
#include <map>
#include <regex>
#include <thread>

namespace torvane_test {
namespace {

// Each move of a recorded game in coordinates, followed by its comment in
// braces when it has one; the manager's move time, "[%time N]" with N a
// whole number of milliseconds, is shown as "[%time]".
Lines moves_with_comments(const std::string& pgn_text)
{
    ChessGame game(pgn_text);
    game.goto_start();
    Lines moves;
    while (!game.forward().empty()) {
        const std::string comment = std::regex_replace(game.get_comment(), std::regex(R"(\[%time \d+\])"), "[%time]");
        moves.push_back(game.last_move().to_string() + (comment.empty() ? "" : " {" + comment + "}"));
    }
    return moves;
}

// A fake engine that sends analysis before its first move only, as an
// engine does that plays its later moves from its own book.
std::string analysing_once(const std::string& dir, const std::string& moves)
{
    const std::string path = dir + "/once";
    // The shell reads its input a byte at a time, so each line goes on at once.
    std::ofstream(path) << "#!/bin/sh\nexport TORVANE_FAKE_MOVES='" << moves << "'\n'" << ConsoleSession::fake_engine()
                        << "' | while IFS= read -r line; do\n"
                           "    case $line in info*) [ -n \"$seen\" ] && continue; seen=1;; esac\n"
                           "    printf '%s\\n' \"$line\"\ndone\n";
    std::filesystem::permissions(path, std::filesystem::perms::owner_all);
    return path;
}

// Fool's mate, 1.f3 e5 2.g4 Qh4#, in every game: engine 1 is White and UCI,
// engine 2 Black and xboard, both reporting 1.5 s of thought; engines 3 and 4
// send no analysis, engine 5 only before its first move, engines 6 and 7
// three lines per search. Games 1 and 2 have the same pairing; games 3 to 5
// others. The table names the opening after
// 1.f3 "Gedult's opening" (A00) and no later position of the game.
TEST(TournamentRunner, RecordsEachGameWithTheAnalysisOfItsOwnEngines)
{
    RunnerDir dir;
    const std::string white_moves = "f2f3 g2g4 f2f3 g2g4", black_moves = "e7e5 d8h4 e7e5 d8h4";
    const auto engine = [&dir](const std::string& name, const std::string& moves, const std::string& variable,
                               const std::string& value) {
        return scripted_fake_engine(dir.path(), name, moves, "fake_engine", {{variable, value}});
    };
    write_engines_cfg(dir.path(), {{"E1", engine("e1", white_moves, "TORVANE_FAKE_THINK_MS", "1500"), "uci"},
                                   {"E2", engine("e2", black_moves, "TORVANE_FAKE_THINK_MS", "1500"), "xboard_v2"},
                                   {"E3", engine("e3", "f2f3 g2g4", "TORVANE_FAKE_MODE", "quiet"), "uci"},
                                   {"E4", engine("e4", "e7e5 d8h4", "TORVANE_FAKE_MODE", "quiet"), "xboard_v2"},
                                   {"E5", analysing_once(dir.path(), "f2f3 g2g4"), "uci"},
                                   {"E6", engine("e6", "f2f3 g2g4", "TORVANE_FAKE_MODE", "multipv"), "uci"},
                                   {"E7", engine("e7", "e7e5 d8h4", "TORVANE_FAKE_MODE", "multipv"), "uci"}});
    write_tournament(dir.path(), {.event = "Fools", .level = "fixed_depth 1",
                                  .participants = {"E1", "E2", "E3", "E4", "E5", "E6", "E7"},
                                  .games = {{"1", 0, 1, 2}, {"2", 0, 1, 2}, {"3", 0, 3, 4}, {"4", 0, 5, 4},
                                            {"5", 0, 6, 7}}});

    const RunnerDir::Run run = dir.run("Fools");
    ASSERT_EQ(run.status, 0) << run.errors;
    const Lines expected = {"1\tE1\tE2\t0-1", "2\tE1\tE2\t0-1", "3\tE3\tE4\t0-1", "4\tE5\tE4\t0-1",
                            "5\tE6\tE7\t0-1"};
    EXPECT_EQ(run.lines, expected);
    EXPECT_EQ(trn_games(dir.read("tournaments/Fools.trn")), expected);

    // Both protocols report the thinking time in the same unit: 1.5 s.
    // The manager's move time ends each move's comment; the result's own
    // comment follows the last move's.
    const std::string white = "[%eval 0.12][%emt 0:0:2][%acn 100][%nps 100000][%depth 1][%time]";
    const std::string black = "[%eval -0.12][%emt 0:0:2][%acn 100][%nps 66][%depth 1][%time]";
    const std::string first_line = "[%eval 0.12][%acn 100][%nps 100000][%depth 1][%time]";
    const std::string first_line_black = "[%eval -0.12][%acn 100][%nps 100000][%depth 1][%time]";
    const Lines analysed = {"f2f3 {" + white + "}", "e7e5 {" + black + "}", "g2g4 {" + white + "}",
                            "d8h4 {" + black + " Black mates}"};
    const Lines moves[] = {
        analysed,
        analysed,
        // No analysis from either engine: no move carries any of game 2's.
        {"f2f3 {[%time]}", "e7e5 {[%time]}", "g2g4 {[%time]}", "d8h4 {[%time] Black mates}"},
        // The second move without analysis does not repeat the first one's.
        {"f2f3 {[%eval 0.12][%acn 100][%nps 100000][%depth 1][%time]}", "e7e5 {[%time]}", "g2g4 {[%time]}",
         "d8h4 {[%time] Black mates}"},
        // Three lines per search, the line played first: its score is the move's.
        {"f2f3 {" + first_line + "}", "e7e5 {" + first_line_black + "}", "g2g4 {" + first_line + "}",
         "d8h4 {" + first_line_black + " Black mates}"},
    };
    const char* const players[] = {"E1 E2", "E1 E2", "E3 E4", "E5 E4", "E6 E7"};
    const Lines games = pgn_games(dir.path() + "/Fools.pgn");
    ASSERT_EQ(games.size(), 5u);
    for (std::size_t i = 0; i < games.size(); ++i) {
        const ChessGame game(games[i]);
        EXPECT_EQ(game.get_tag("White") + " " + game.get_tag("Black") + " " + game.get_tag("Result") + " " +
                      game.get_tag("Round"),
                  players[i] + std::string(" 0-1 ") + std::to_string(i + 1));
        EXPECT_EQ(game.get_tag("TimeControl"), "fixed_depth 1");
        EXPECT_EQ(game.get_tag("ECO") + " " + game.get_tag("Opening"), "A00 Gedult's opening");
        EXPECT_EQ(moves_with_comments(games[i]), moves[i]) << i + 1;
    }
}

// Each game ends by a fault of one engine, or before any move: an unreadable
// move text, a crash, no move while a minute is left on the clock, and an
// opening that is already mate.
TEST(TournamentRunner, GamesEndedByEngineFaultsAndByTheOpeningItself)
{
    RunnerDir dir;
    // Each game starts its engines anew, so each script starts anew too.
    write_engines_cfg(dir.path(), {{"Garbled", scripted_fake_engine(dir.path(), "garbled", "z9z9"), "uci"},
                                   {"Player", scripted_fake_engine(dir.path(), "player", "e2e4"), "uci"},
                                   {"Crasher", ConsoleSession::fake_engine("fake_engine_crash_on_go"), "uci"},
                                   {"Empty", ConsoleSession::fake_engine("fake_engine_none"), "uci"}});
    // The second opening is the position after Fool's mate.
    const std::string suite = dir.path() + "/suite.epd";
    std::ofstream(suite) << "rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w KQkq -\n"
                            "rnb1kbnr/pppp1ppp/8/4p3/6Pq/5P2/PPPPP2P/RNBQKBNR w KQkq -\n";
    write_tournament(dir.path(), {.event = "Faults", .level = "sudden_death 0 1:00 0", .suite = suite,
                                  .participants = {"Garbled", "Player", "Crasher", "Empty"},
                                  .games = {{"1", 1, 1, 2}, {"2", 1, 2, 3}, {"3", 1, 2, 4}, {"4", 2, 2, 1}}});

    const RunnerDir::Run run = dir.run("Faults");
    ASSERT_EQ(run.status, 0) << run.errors;
    const Lines expected = {"1\tGarbled\tPlayer\t0-1", "2\tPlayer\tCrasher\t1-0", "3\tPlayer\tEmpty\t1-0",
                            "4\tPlayer\tGarbled\t0-1"};
    EXPECT_EQ(run.lines, expected);
    EXPECT_EQ(trn_games(dir.read("tournaments/Faults.trn")), expected);
    EXPECT_NE(run.errors.find("TournamentManager::alg2move(z9z9)  illegal move"), std::string::npos) << run.errors;
    EXPECT_NE(run.errors.find("engine answered '(none)'"), std::string::npos) << run.errors;

    const Lines games = pgn_games(dir.path() + "/Faults.pgn");
    ASSERT_EQ(games.size(), 4u);
    const Lines moves[] = {{}, {"e2e4"}, {"e2e4"}, {}};
    for (std::size_t i = 0; i < games.size(); ++i) {
        Lines played;
        for (const std::string& move : moves_with_comments(games[i])) {
            played.push_back(move.substr(0, move.find(' ')));
        }
        EXPECT_EQ(played, moves[i]) << games[i];
    }
    EXPECT_EQ(ChessGame(games[3]).get_tag("FEN"), "rnb1kbnr/pppp1ppp/8/4p3/6Pq/5P2/PPPPP2P/RNBQKBNR w KQkq - 0 1");
}

// An engine that answers "uci" and "isready" but never a search (hold), as
// Black to mate in one: it loses at every level about 20 s after its move
// time or clock ran out, or, at a depth or node count, 20 s after its silent
// go. An engine that reports its search at once and then thinks 25 s,
// answering "isready" meanwhile (steady), mates. The rows run side by side.
TEST(TournamentRunner, ASilentEngineLosesAtEveryLevelAndALongHonestSearchIsNotCut)
{
    const struct {
        std::string level;
        std::string mode;
        std::string protocol;
        std::string ending;
    } cases[] = {
        {"fixed_movetime 100", "hold", "uci", "{time} 1-0"},
        {"fixed_depth 5", "hold", "uci", "{engine failure} 1-0"},
        {"fixed_nodes 1000", "hold", "uci", "{engine failure} 1-0"},
        {"sudden_death 0 0:01 0", "hold", "uci", "{time} 1-0"},
        {"fixed_depth 5", "hold", "xboard_v2", "{engine failure} 1-0"},
        {"fixed_depth 5", "steady", "uci", "Black mates} 0-1"},
    };
    // Every file is written before any runner starts: a script still open
    // for writing in this process when a runner is forked could not be run.
    RunnerDir dirs[std::size(cases)];
    for (std::size_t row = 0; row < std::size(cases); ++row) {
        const std::string& dir = dirs[row].path();
        const std::map<std::string, std::string> mode = {{"TORVANE_FAKE_MODE", cases[row].mode},
                                                         {"TORVANE_FAKE_DELAY_MS", "25000"}};
        write_engines_cfg(dir, {{"W", scripted_fake_engine(dir, "w", ""), "uci"},
                                {"T", scripted_fake_engine(dir, "t", "d8h4", "fake_engine", mode), cases[row].protocol}});
        std::ofstream(dir + "/suite.epd") << "rnbqkbnr/pppp1ppp/8/4p3/6P1/5P2/PPPPP2P/RNBQKBNR b KQkq -\n";
        write_tournament(dir, {.event = "Silent", .level = cases[row].level, .suite = dir + "/suite.epd",
                               .participants = {"W", "T"}, .games = {{"1", 1, 1, 2}}});
    }
    std::vector<std::future<void>> rows;
    for (std::size_t row = 0; row < std::size(cases); ++row) {
        rows.push_back(std::async(std::launch::async, [&test = cases[row], &dir = dirs[row]] {
            const auto began = std::chrono::steady_clock::now();
            const RunnerDir::Run run = dir.run("Silent", 60);
            EXPECT_LT(std::chrono::steady_clock::now() - began, scaled(std::chrono::seconds(35))) << test.level;
            EXPECT_EQ(run.status, 0) << run.errors;
            // Blanks and line ends alike as one blank, without std::regex: the
            // rows run on threads of their own, where ThreadSanitizer reports
            // the locale's character cache that libstdc++'s regex fills.
            std::string pgn;
            for (const char c : dir.read("Silent.pgn")) {
                if (!std::isspace(static_cast<unsigned char>(c)))
                    pgn += c;
                else if (!pgn.ends_with(' '))
                    pgn += ' ';
            }
            EXPECT_NE(pgn.find(test.ending), std::string::npos) << test.level << " " << test.protocol << "\n" << pgn;
        }));
    }
    for (auto& row : rows) {
        row.get();
    }
}

// An engine that floods analysis lines, searching or not: the run ends once
// its last result is saved.
TEST(TournamentRunner, AFloodingEngineDoesNotKeepTheRunGoing)
{
    RunnerDir dir;
    const std::string flood = scripted_fake_engine(dir.path(), "flood", "f2f3 g2g4", "fake_engine_flood");
    write_engines_cfg(dir.path(), {{"Flood", flood, "uci"},
                                   {"Mater", scripted_fake_engine(dir.path(), "mater", "e7e5 d8h4"), "uci"}});
    write_tournament(dir.path(), {.event = "Flooded", .level = "fixed_depth 1", .participants = {"Flood", "Mater"},
                                  .games = {{"1", 0, 1, 2}}});
    const RunnerDir::Run run = dir.run("Flooded", 20);
    EXPECT_EQ(run.status, 0) << run.errors;
    EXPECT_EQ(run.lines, Lines{"1\tFlood\tMater\t0-1"});
}

// A match of Fool's mates between white (W unless named) and B, saved as
// "<file_name>.trn" (its event's name when empty); white's engine runs the
// shell commands given when it starts.
void fools_mate(const RunnerDir& dir, const std::string& event, const std::string& file_name,
                std::vector<TournamentFile::Game> games = {{"1", 0, 1, 2}, {"2", 0, 1, 2}},
                std::optional<std::uintmax_t> pgn_size = {}, const std::string& white = "W",
                const std::string& white_commands = "")
{
    write_engines_cfg(dir.path(), {{white, scripted_fake_engine(dir.path(), "w", "f2f3 g2g4", "fake_engine", {},
                                                                white_commands),
                                    "uci"},
                                   {"B", scripted_fake_engine(dir.path(), "b", "e7e5 d8h4"), "uci"}});
    write_tournament(dir.path(), {.event = event, .level = "fixed_depth 1", .participants = {white, "B"},
                                  .games = games, .pgn_size = pgn_size},
                     file_name);
}

// A tournament that cannot be read, an engine that is not installed, a PGN
// file that cannot be appended to, and a result that cannot be saved: the
// run reports, stops and says so in its exit status; a game is never
// recorded as played without its PGN.
TEST(TournamentRunner, FilesThatCannotBeReadOrWrittenAndMissingEnginesStopTheRun)
{
    const struct {
        std::string name;
        std::function<void(const RunnerDir&)> set_up;
        std::string error;
        // What else the files hold afterwards; checked when given.
        std::function<void(const RunnerDir&)> check;
    } cases[] = {
        {"Nowhere", [](const RunnerDir&) {}, "Nowhere.trn doesn't exist!", nullptr},
        // Cut short in its last game line: game 2 would count as played.
        {"Cut",
         [&](const RunnerDir& dir) {
             fools_mate(dir, "Cut", "");
             const std::string trn = dir.path() + "/tournaments/Cut.trn";
             std::filesystem::resize_file(trn, dir.read("tournaments/Cut.trn").rfind("result=") + 7);
         },
         "nothing was played: ./tournaments/Cut.trn cannot be read: its last line, a game, has no line end",
         [](const RunnerDir& dir) { EXPECT_FALSE(std::filesystem::exists(dir.path() + "/Cut.pgn")); }},
        {"Uninstalled",
         [&](const RunnerDir& dir) {
             fools_mate(dir, "Uninstalled", "");
             write_engines_cfg(dir.path(), {});
         },
         "loading W failed", nullptr},
        {"Blocked",
         [&](const RunnerDir& dir) {
             fools_mate(dir, "Blocked", "");
             std::filesystem::create_directories(dir.path() + "/Blocked.pgn");
         },
         "appending the game to Blocked.pgn failed: is a directory", nullptr},
        // Cut at the line end before its last game, or inside the word "game".
        {"Short",
         [&](const RunnerDir& dir) {
             fools_mate(dir, "Short", "");
             std::string text = dir.read("tournaments/Short.trn");
             text = text.substr(0, text.rfind("game ")).replace(text.find("iterations 1"), 12, "iterations 2");
             std::ofstream(dir.path() + "/tournaments/Short.trn") << text;
         },
         "cannot be read: it holds 1 game where its type, participants and iterations call for 2: the file is cut "
         "short",
         nullptr},
        {"Cut Word",
         [&](const RunnerDir& dir) {
             fools_mate(dir, "Cut Word", "");
             std::filesystem::resize_file(dir.path() + "/tournaments/Cut Word.trn",
                                          dir.read("tournaments/Cut Word.trn").rfind("game ") + 3);
         },
         "cannot be read: its last line, \"gam\", has no line end: the file is cut short", nullptr},
        // Its lock file cannot be opened: the message names it.
        {"Unlockable",
         [&](const RunnerDir& dir) {
             fools_mate(dir, "Unlockable", "");
             std::filesystem::create_directories(dir.path() + "/tournaments/.Unlockable.trn.lock");
         },
         "tournament-runner: \"Unlockable\" cannot be locked against other programs: the lock file "
         "./tournaments/.Unlockable.trn.lock cannot be opened: is a directory. Nothing was played.",
         nullptr},
        // Loaded under one name, saved under its event, which a directory
        // takes: the save before the first game fails, and nothing is played.
        {"Loaded",
         [&](const RunnerDir& dir) {
             fools_mate(dir, "Saved Elsewhere", "Loaded");
             std::filesystem::create_directories(dir.path() + "/tournaments/Saved Elsewhere.trn");
         },
         "TournamentManager: The tournament file ./tournaments/Saved Elsewhere.trn could not be written: is a "
         "directory. The tournament has not started: no game was played.",
         [](const RunnerDir& dir) { EXPECT_FALSE(std::filesystem::exists(dir.path() + "/Saved Elsewhere.pgn")); }},
    };
    for (const auto& test : cases) {
        RunnerDir dir;
        test.set_up(dir);
        const std::string trn_before = dir.read("tournaments/" + test.name + ".trn");
        const RunnerDir::Run run = dir.run(test.name);
        EXPECT_EQ(run.status, 1) << test.name;
        EXPECT_TRUE(run.lines.empty()) << test.name;
        EXPECT_NE(run.errors.find(test.error), std::string::npos) << run.errors;
        // No game is recorded as played without its PGN.
        EXPECT_EQ(trn_games(dir.read("tournaments/" + test.name + ".trn")), trn_games(trn_before)) << test.name;
        if (test.check) {
            test.check(dir);
        }
    }
}

// Game 1 of a two-game match loaded as file_name goes into "<event>.pgn",
// but its result cannot be saved: once the run has saved the event's ".trn"
// file before its first game, white's engine puts a directory in its place
// until the run has stopped; it runs the commands given too.
void first_result_unsaved(const RunnerDir& dir, const std::string& event, const std::string& file_name,
                          const std::string& white = "W", const std::string& white_commands = "",
                          std::optional<std::uintmax_t> pgn_size = 0)
{
    const std::string trn = "tournaments/" + event + ".trn";
    fools_mate(dir, event, file_name, {{"1", 0, 1, 2}, {"2", 0, 1, 2}}, pgn_size, white,
               commands_blocking_file(trn) + white_commands);
    const RunnerDir::Run run = dir.run(file_name);
    EXPECT_EQ(run.status, 1);
    EXPECT_NE(run.errors.find("TournamentManager: The tournament file ./" + trn +
                              " could not be written: is a directory. Game 1 is in \"" + event +
                              ".pgn\". The tournament has stopped; loaded again, it goes on from there."),
              std::string::npos)
        << run.errors;
    std::filesystem::remove(dir.path() + "/" + trn);
    std::filesystem::rename(dir.path() + "/" + trn + ".aside", dir.path() + "/" + trn);
}

// A game the user played in the window under the event's name.
void append_hand_game(const RunnerDir& dir, const std::string& event)
{
    std::ofstream(dir.path() + "/" + event + ".pgn", std::ios::app)
        << "[Event \"" << event << "\"]\n[Site \"?\"]\n[Date \"2026.01.01\"]\n[Round \"?\"]\n[White \"Human\"]\n"
        << "[Black \"B\"]\n[Result \"0-1\"]\n\n1. f3 e5 2. g4 Qh4# 0-1\n\n";
}

// Earlier runs and the user leave games in the event's PGN file. Only game
// 1 of a run that could not save its result, which is the file's last game
// and starts at the length the ".trn" file recorded, is scored from the PGN
// file, and not listed as finished in this run; every other game of the
// tournament is played. A tournament loaded
// under another name than its event's goes on from the results that a run
// saved in the event's file, unless that file holds another schedule.
TEST(TournamentRunner, AResumedRunGoesOnFromTheSavedResultsAndScoresTheGameAppendedSinceTheLastSaveOnly)
{
    const Lines both_games = {"1\tW\tB\t0-1", "2\tW\tB\t0-1"};
    const struct {
        std::string name;
        std::string event;
        std::function<void(const RunnerDir&)> earlier_run;
        Lines lines;
        Lines rounds_in_pgn;
    } cases[] = {
        {"Loaded", "Saved Elsewhere",
         [](const RunnerDir& dir) { first_result_unsaved(dir, "Saved Elsewhere", "Loaded"); }, {"2\tW\tB\t0-1"},
         {"1", "2"}},
        // Quotes, which the PGN file holds escaped.
        {"Loaded", "Q\"x", [](const RunnerDir& dir) { first_result_unsaved(dir, "Q\"x", "Loaded"); },
         {"2\tW\tB\t0-1"}, {"1", "2"}},
        {"Loaded", "Named", [](const RunnerDir& dir) { first_result_unsaved(dir, "Named", "Loaded", "W\"h"); },
         {"2\tW\"h\tB\t0-1"}, {"1", "2"}},
        // A file without the PGN file's length, as one written by hand.
        {"No Size", "No Size",
         [](const RunnerDir& dir) { first_result_unsaved(dir, "No Size", "No Size", "W", "", std::nullopt); },
         {"2\tW\tB\t0-1"}, {"1", "2"}},
        // The game begins after the recorded length, not at it: a line was
        // added to the PGN file after the last save.
        {"Loaded", "Spaced",
         [](const RunnerDir& dir) { first_result_unsaved(dir, "Spaced", "Loaded", "W", "echo >>Spaced.pgn\n"); },
         both_games, {"1", "1", "2"}},
        // Its append cut short after a whole move, before the termination marker.
        {"Loaded", "Cut Short",
         [](const RunnerDir& dir) {
             first_result_unsaved(dir, "Cut Short", "Loaded");
             const std::string pgn = dir.path() + "/Cut Short.pgn";
             std::filesystem::resize_file(pgn, std::filesystem::file_size(pgn) - std::string(" 0-1\n\n").size());
         },
         both_games, {"1", "1", "2"}},
        // A game appended after it.
        {"Loaded", "Followed",
         [](const RunnerDir& dir) {
             first_result_unsaved(dir, "Followed", "Loaded");
             append_hand_game(dir, "Followed");
         },
         both_games, {"1", "?", "1", "2"}},
        // The whole tournament was run, then scheduled afresh: with the PGN
        // file's length, or with 0 where no PGN file lay.
        {"Replaced", "Replaced",
         [](const RunnerDir& dir) {
             fools_mate(dir, "Replaced", "", {{"1", 0, 1, 2}}, 0);
             EXPECT_EQ(dir.run("Replaced").status, 0);
             const std::uintmax_t pgn_size = std::filesystem::file_size(dir.path() + "/Replaced.pgn");
             fools_mate(dir, "Replaced", "", {{"1", 0, 1, 2}}, pgn_size);
         },
         {"1\tW\tB\t0-1"}, {"1", "1"}},
        {"Afresh", "Afresh",
         [](const RunnerDir& dir) {
             fools_mate(dir, "Afresh", "", {{"1", 0, 1, 2}, {"2", 0, 1, 2}}, 0);
             EXPECT_EQ(dir.run("Afresh").status, 0);
             fools_mate(dir, "Afresh", "", {{"1", 0, 1, 2}, {"2", 0, 1, 2}}, 0);
         },
         both_games, {"1", "2", "1", "2"}},
        // The file's only game, at the recorded length, is not the game to play.
        {"By Hand", "By Hand",
         [](const RunnerDir& dir) {
             append_hand_game(dir, "By Hand");
             fools_mate(dir, "By Hand", "", {{"1", 0, 1, 2}, {"2", 0, 1, 2}}, 0);
         },
         both_games, {"?", "1", "2"}},
        {"Copy", "Original",
         [](const RunnerDir& dir) {
             fools_mate(dir, "Original", "Copy");
             fools_mate(dir, "Original", "", {{"1", 0, 1, 2, "0-1"}, {"2", 0, 1, 2}});
         },
         {"2\tW\tB\t0-1"}, {"2"}},
        // A name with blanks at either end, which the window drops from the
        // names it saves: the runner drops them too.
        {" Blank\t", "Blank", [](const RunnerDir& dir) { fools_mate(dir, "Blank", ""); }, both_games, {"1", "2"}},
        {"Copy", "Other",
         [](const RunnerDir& dir) {
             fools_mate(dir, "Other", "Copy");
             fools_mate(dir, "Other", "", {{"1", 0, 2, 1, "1-0"}, {"2", 0, 1, 2}});
         },
         both_games, {"1", "2"}},
    };
    for (const auto& test : cases) {
        RunnerDir dir;
        test.earlier_run(dir);
        const RunnerDir::Run run = dir.run(test.name);
        EXPECT_EQ(run.status, 0) << run.errors;
        EXPECT_EQ(run.lines, test.lines) << test.event;
        Lines rounds;
        for (const std::string& game : pgn_games(dir.path() + "/" + test.event + ".pgn")) {
            rounds.push_back(ChessGame(game).get_tag("Round"));
        }
        EXPECT_EQ(rounds, test.rounds_in_pgn) << test.event;
    }
}

// A runner started on a tournament that another runner plays says so and
// plays nothing, and each game is played once. A runner killed with kill -9
// leaves its tournament to the next one, which plays it.
TEST(TournamentRunner, ATournamentIsPlayedByOneProgramAtATime)
{
    RunnerDir dir;
    // White's engine, slow to answer, notes each start.
    const std::map<std::string, std::string> slow = {{"TORVANE_FAKE_DELAY_MS", "200"}};
    write_engines_cfg(dir.path(),
                      {{"W", scripted_fake_engine(dir.path(), "w", "f2f3 g2g4", "fake_engine_slow", slow, ": >started\n"),
                        "uci"},
                       {"B", scripted_fake_engine(dir.path(), "b", "e7e5 d8h4", "fake_engine_slow", slow), "uci"}});
    const auto start_playing = [&dir](const std::string& event) {
        write_tournament(dir.path(), {.event = event, .level = "fixed_depth 1", .participants = {"W", "B"},
                                      .games = {{"1", 0, 1, 2}, {"2", 0, 1, 2}}});
        std::filesystem::remove(dir.path() + "/started");
        const int pid = dir.start(event);
        const auto deadline = std::chrono::steady_clock::now() + scaled(std::chrono::seconds(30));
        while (!std::filesystem::exists(dir.path() + "/started") && std::chrono::steady_clock::now() < deadline) {
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
        }
        return pid;
    };
    const Lines both_games = {"1\tW\tB\t0-1", "2\tW\tB\t0-1"};

    const int first = start_playing("Once");
    const RunnerDir::Run second = dir.run("Once");
    EXPECT_EQ(second.status, 1);
    EXPECT_TRUE(second.lines.empty());
    EXPECT_NE(second.errors.find("tournament-runner: \"Once\" is being played by another program. Nothing was played"),
              std::string::npos)
        << second.errors;
    const RunnerDir::Run played = dir.finish(first);
    EXPECT_EQ(played.status, 0) << played.errors;
    EXPECT_EQ(played.lines, both_games);
    EXPECT_EQ(pgn_games(dir.path() + "/Once.pgn").size(), 2u);

    const int killed = start_playing("Killed");
    ::kill(killed, SIGKILL);
    EXPECT_EQ(dir.finish(killed).status, -1);
    const RunnerDir::Run after = dir.run("Killed");
    EXPECT_EQ(after.status, 0) << after.errors;
    EXPECT_EQ(after.lines, both_games);
}

}
}
