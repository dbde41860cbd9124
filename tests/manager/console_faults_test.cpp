// Faults through the console with the fake engine: engines that crash in a
// game against a human, positions changed under a thinking engine, commands
// refused during a tournament game, tournament files that cannot be read or
// written, and books that cannot be opened.
#include "manager/tournament_lock.h"
#include "tests/manager/console_fixtures.h"
#include "tests/manager/session_tokens.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <sstream>

namespace torvane_test {
namespace {

const std::string none_loaded = "telluser No_tournament_loaded Make a tournament with "
                                "Tournament > New / Edit / Reset, or load one.";

using namespace std::chrono_literals;

TEST(ConsoleFaults, AnEngineThatCrashesAgainstAHumanIsRestartedInTheSameGameOnce)
{
    ConsoleSession console(
        {{"TORVANE_FAKE_CRASH_AFTER", "10"}, {"TORVANE_FAKE_SEED", "7"}, {"TORVANE_FAKE_RECORD", "engine.txt"}});
    console.send("0 load 1 filename " + ConsoleSession::fake_engine("fake_engine_crash_after"));
    console.send("0 level sudden_death 0 1:00 2");
    console.send("0 human_computer");
    ChessPosition position;
    position.set_start_position();
    Lines after_crash;
    bool crashed = false;
    for (int turn = 0; turn < 14; ++turn) {
        const std::string move = quiet_user_move(position);
        ASSERT_FALSE(move.empty());
        ASSERT_TRUE(play_legal(position, move));
        console.send("0 usermove " + move);
        const Lines lines = console.lines_until("shout");
        for (const std::string& line : lines) {
            if (starts_with(line, "move ")) {
                ASSERT_TRUE(play_legal(position, line.substr(5))) << line;
            }
        }
        crashed = crashed || contains(lines, "telluser engine1 crashed");
        EXPECT_EQ(contains(lines, "telluser engine1 crashed"), turn == 10) << turn;
        if (crashed) {
            after_crash.insert(after_crash.end(), lines.begin(), lines.end());
        }
    }
    ASSERT_TRUE(crashed);
    for (const std::string& line : after_crash) {
        EXPECT_FALSE(starts_with(line, "diagram") || starts_with(line, "level") || starts_with(line, "engine1name"))
            << line;
    }
    // The eleventh search killed the engine; its successor is asked with the
    // clocks as they stood: a minute and ten increments of 2 s for each side.
    Lines searches;
    std::istringstream received(console.read_file("engine.txt"));
    for (std::string line; std::getline(received, line);) {
        if (starts_with(line, "go ")) {
            searches.push_back(line);
        }
    }
    ASSERT_GE(searches.size(), 12u);
    const auto told = [&searches](const std::string& clock) {
        return std::stol(searches[11].substr(searches[11].find(clock) + clock.size()));
    };
    EXPECT_GT(told(" wtime "), 70000) << searches[11];
    EXPECT_GT(told(" btime "), 70000) << searches[11];
}

TEST(ConsoleFaults, AnEngineThatDiesAgainIsNotRestartedAndTheHumanPlaysOn)
{
    ConsoleSession console;
    console.send("0 load 1 filename " + ConsoleSession::fake_engine("fake_engine_crash_on_go"));
    console.send("0 human_computer");
    console.send("0 usermove e2e4");
    const Lines lines = console.lines_until("telluser engine1 crashed again, not restarted");
    EXPECT_EQ(std::count(lines.begin(), lines.end(), "telluser engine1 crashed"), 1);
    // Given up, the engine leaves its slot, as after a failed load.
    EXPECT_EQ(lines.at(lines.size() - 2), "engine1name ???");
    EXPECT_EQ(console.children(), std::vector<pid_t>{}) << "the dead engine is reaped";
    EXPECT_EQ(console.lines_for(1s), Lines{});
    // The human's moves are still refereed: an illegal one is refused, a mate ends the game.
    for (const char* move : {"e7e5", "f1c4", "b8c6", "d1h5", "g8f6"}) {
        console.send(std::string("0 usermove ") + move);
    }
    console.send("0 usermove h5h8");
    console.send("0 usermove h5f7");
    const Lines end = console.lines_until("telluser result: 1-0");
    EXPECT_TRUE(contains(end, "telluser illegal move refused: h5h8"));
    EXPECT_EQ(result_lines(end), Lines{"1-0 {White mates}"});
}

TEST(ConsoleFaults, AUserMoveWhileTheEngineThinksIsRefused)
{
    ConsoleSession console(std::map<std::string, std::string>{{"TORVANE_FAKE_MODE", "hold"}});
    console.send("0 load 1 filename " + ConsoleSession::fake_engine());
    console.send("0 go");
    console.lines_until("blackname Human");
    EXPECT_EQ(answer_to(console, "0 usermove e2e4"), Lines{"telluser usermove refused: engine1 is to move"});
}

TEST(ConsoleFaults, ASetboardUnderAThinkingEngineDropsItsLateAnswer)
{
    ConsoleSession console({{"TORVANE_FAKE_MOVES", "e7e5 c2c4"}, {"TORVANE_FAKE_DELAY_MS", "200"}});
    console.send("0 load 1 filename " + ConsoleSession::fake_engine("fake_engine_slow"));
    console.send("0 level fixed_depth 1");
    console.send("0 human_computer");
    console.send("0 usermove e2e4");
    console.send("0 setboard rnbqkbnr/pppppppp/8/8/3P4/8/PPP1PPPP/RNBQKBNR b KQkq - 0 1");
    console.lines_until("whitename Human");
    const Lines meanwhile = console.lines_for(1.5s);
    EXPECT_TRUE(std::none_of(meanwhile.begin(), meanwhile.end(), [](const std::string& line) { return starts_with(line, "move "); }));
    console.send("0 usermove d7d5");
    const Lines lines = console.lines_until("shout");
    EXPECT_TRUE(contains(lines, "move c2c4"));
    EXPECT_FALSE(contains(lines, "move e7e5"));
}

TEST(ConsoleFaults, ATournamentGameRefusesWhatWouldChangeOrLeaveItAndGoesOn)
{
    ConsoleSession console(std::map<std::string, std::string>{{"TORVANE_FAKE_DELAY_MS", "100"}});
    const auto slow = [&](const std::string& name, const std::string& moves) {
        return scripted_fake_engine(console.dir(), name, moves, "fake_engine_slow");
    };
    write_engines_cfg(console, {{"W", slow("w.sh", "a1a2 a2a1 a1a2"), "uci"}, {"B", slow("b.sh", "a8a7 a7a8 a8a7"), "uci"}});
    console.write_file("suite.epd", "r3k3/8/8/8/8/8/8/R3K3 w - -\n");
    write_tournament(console, {.event = "Refusals", .level = "fixed_depth 1", .suite = console.dir() + "/suite.epd",
                               .participants = {"W", "B"}, .games = {{"1", 1, 1, 2}}});
    console.send("0 load_tournament Refusals");
    console.send("0 start_tournament");
    console.lines_until("setboard r3k3/8/8/8/8/8/8/R3K3 w - -");
    const std::string refused[][2] = {
        {"setboard", "setboard " + start_fen},
        {"load", "load 1 filename " + ConsoleSession::fake_engine()},
        {"load_tournament", "load_tournament Refusals"},
        {"level", "level fixed_depth 3"},
        {"go", "go"},
        {"analyzeposition", "analyzeposition"},
        {"human_computer", "human_computer"},
        {"learnopenings", "learnopenings 3"},
        {"usermove", "usermove a1b1"},
    };
    for (const auto& [word, command] : refused) {
        console.send("0 " + command);
    }
    const Lines lines = console.lines_until("tournament_finished");
    for (const auto& [word, command] : refused) {
        EXPECT_TRUE(contains(lines, "telluser " + word + " refused: a tournament game is being played")) << command;
    }
    EXPECT_EQ(result_lines(lines), Lines{"1/2-1/2 {adjudicated}"});
}

// The window sends "human_human" or "new" when the user leaves a running
// tournament: the game is left unplayed and is played again on resuming,
// also when the tournament was loaded under another name than its event's,
// in which its results are saved.
TEST(ConsoleFaults, LeavingATournamentGameStopsTheRunAndTheGameIsPlayedAgainOnResuming)
{
    const struct {
        std::string leave;
        std::string file_name;
        int games;
    } cases[] = {{"human_human", "Left", 1}, {"new", "Left", 1}, {"human_human", "Copy", 2}};
    for (const auto& [leave, file_name, games] : cases) {
        ConsoleSession console(std::map<std::string, std::string>{{"TORVANE_FAKE_DELAY_MS", "200"}});
        const auto slow = [&](const std::string& name, const std::string& moves) {
            return scripted_fake_engine(console.dir(), name, moves, "fake_engine_slow");
        };
        write_engines_cfg(console,
                          {{"W", slow("w.sh", "a1a2 a2a1 a1a2"), "uci"}, {"B", slow("b.sh", "a8a7 a7a8 a8a7"), "uci"}});
        console.write_file("suite.epd", "r3k3/8/8/8/8/8/8/R3K3 w - -\n");
        TournamentFile tournament{.event = "Left", .level = "fixed_depth 1", .suite = console.dir() + "/suite.epd",
                                  .participants = {"W", "B"}};
        for (int game = 1; game <= games; ++game)
            tournament.games.push_back({std::to_string(game), 1, 1, 2});
        write_tournament(console, tournament, file_name);
        console.send("0 load_tournament " + file_name);
        console.send("0 start_tournament");
        const std::string round = "round " + std::to_string(games);
        console.lines_until(round);
        console.lines_until("move a1a2");
        console.lines_until([](const std::string& line) { return starts_with(line, "btime "); });
        // "new" goes on to a fresh game with engine 1, which stays loaded.
        const Lines answer = answer_to(console, "0 " + leave);
        ASSERT_GE(answer.size(), 2u) << leave;
        EXPECT_EQ(Lines(answer.begin(), answer.begin() + 2),
                  (Lines{"engine2name ???",
                         "telluser tournament_stopped its unfinished game is played again when the tournament is resumed"}))
            << leave;
        EXPECT_EQ(console.lines_for(1s), Lines{}) << leave;
        EXPECT_EQ(console.children().size(), 1u) << leave;
        EXPECT_NE(console.read_file("tournaments/Left.trn").find("result=*\n"), std::string::npos) << leave;
        console.send("0 start_tournament");
        const Lines resumed = console.lines_until("tournament_finished");
        const auto started = std::find(resumed.begin(), resumed.end(), round);
        ASSERT_NE(started, resumed.end()) << file_name;
        EXPECT_NE(std::find(started, resumed.end(), "setboard r3k3/8/8/8/8/8/8/R3K3 w - -"), resumed.end()) << leave;
        EXPECT_EQ(std::count(resumed.begin(), resumed.end(), "move a1a2"), 2) << file_name;
        EXPECT_EQ(result_lines(resumed), Lines{"1/2-1/2 {adjudicated}"}) << file_name;
    }
}

TEST(ConsoleFaults, ATournamentThatCannotBeReadIsNeverPlayedOrSaved)
{
    ConsoleSession console;
    write_engines_cfg(console, {{"W", ConsoleSession::fake_engine("fake_engine_legal"), "uci"}});
    write_tournament(console, {.event = "Broken", .level = "fixed_depth 1", .participants = {"W", "W"},
                               .games = {{"1", 1, 1, 2}, {"2", 1, 2, 9}}});
    // Cut short in its last game line, whose game would count as played.
    write_tournament(console, {.event = "Cut", .level = "fixed_depth 1", .participants = {"W", "W"},
                               .games = {{"1", 1, 1, 2}, {"2", 1, 2, 1}}});
    const std::string cut = console.read_file("tournaments/Cut.trn");
    console.write_file("tournaments/Cut.trn", cut.substr(0, cut.rfind("result=") + 7));
    const std::string before = console.read_file("tournaments/Broken.trn") + console.read_file("tournaments/Cut.trn");
    for (const std::string name : {"Broken", "Cut", "Missing"}) {
        console.send("0 load_tournament " + name);
        console.send("0 start_tournament");
        EXPECT_EQ(console.lines_until("tournament_finished"),
                  (Lines{"telluser Tournament_doesn't_exist", none_loaded, "tournament_finished"}))
            << name;
    }
    EXPECT_EQ(console.read_file("tournaments/Broken.trn") + console.read_file("tournaments/Cut.trn"), before);
    EXPECT_TRUE(console.children().empty());
}

// A tournament that another program plays (here the test) is not played:
// the window is told so and the file stays as it was. Once the other
// program has let go, the tournament is played.
TEST(ConsoleFaults, ATournamentThatAnotherProgramPlaysIsNotPlayedMeanwhile)
{
    ConsoleSession console(std::map<std::string, std::string>{{"TORVANE_FAKE_MOVES", "d2c4"}});
    write_engines_cfg(console,
                      {{"W", ConsoleSession::fake_engine(), "uci"}, {"B", ConsoleSession::fake_engine(), "uci"}});
    console.write_file("suite.epd", "4k3/8/8/3n4/8/8/3N4/4K3 w - -\n");
    write_tournament(console, {.event = "Busy", .level = "fixed_depth 1", .suite = console.dir() + "/suite.epd",
                               .participants = {"W", "B"}, .games = {{"1", 1, 1, 2}}});
    const std::string before = console.read_file("tournaments/Busy.trn");
    TournamentLock other_program;
    ASSERT_EQ(other_program.claim(console.dir() + "/tournaments/Busy.trn"), TournamentLock::Claim::held);
    EXPECT_EQ(play_tournament(console, "Busy"),
              (Lines{"telluser Tournament_not_started \"Busy\" is being played by another program. Nothing was "
                     "played; start it again once that program has stopped.",
                     "tournament_finished"}));
    EXPECT_EQ(console.read_file("tournaments/Busy.trn"), before);
    EXPECT_TRUE(console.children().empty());
    other_program.release();
    EXPECT_EQ(result_lines(play_tournament(console, "Busy")), Lines{"1/2-1/2 {Draw by insufficient material}"});
}

// A participant that is no longer installed: the user is told which, once.
TEST(ConsoleFaults, AParticipantNoLongerInstalledIsNamedInTheOneMessage)
{
    ConsoleSession console;
    write_engines_cfg(console, {{"W", ConsoleSession::fake_engine(), "uci"}});
    write_tournament(console, {.event = "Gone", .level = "fixed_depth 1", .participants = {"W", "fmax"},
                               .games = {{"1", 1, 1, 2}}});
    console.send("0 load_tournament Gone");
    console.send("0 start_tournament");
    Lines told;
    for (const std::string& line : console.lines_until("tournament_finished")) {
        if (starts_with(line, "telluser")) {
            told.push_back(line);
        }
    }
    EXPECT_EQ(told, Lines{"telluser Oops... loading fmax failed: no engine is installed under that name"});
}

// A run that cannot go on after game 1 unloads both engines and tells the
// window so: when the result cannot be saved (the file is loaded under
// another name, and a directory takes its event's once engine 1 has
// started), and when no game is left although the schedule counts more
// (game 2 was scored before game 1). A run whose file cannot be saved before
// its first game plays nothing.
TEST(ConsoleFaults, ARunThatCannotGoOnEmptiesBothSlots)
{
    const std::string unwritten = "The tournament file ./tournaments/Saved Elsewhere.trn could not be written: is a "
                                  "directory.";
    const std::string result = "1/2-1/2 {Draw by insufficient material}";
    enum class Blocked { never, before_the_run, after_game_1, pgn_file };
    const struct {
        Blocked blocked;
        std::string second_result;
        Lines results;
        Lines end;
    } cases[] = {
        {Blocked::after_game_1, "*", {result},
         {"engine1name ???", "engine2name ???",
          "telluser Tournament_stopped " + unwritten +
              " Game 1 is in \"Saved Elsewhere.pgn\". The tournament has stopped; loaded again, it goes on from there.",
          "tournament_finished"}},
        {Blocked::never, "1-0", {result},
         {"new", "engine1name ???", "engine2name ???", "telluser tournament_finished", "tournament_finished"}},
        {Blocked::before_the_run, "*", {},
         {"telluser Tournament_not_started " + unwritten + " The tournament has not started: no game was played.",
          "tournament_finished"}},
        {Blocked::pgn_file, "*", {result},
         {"engine1name ???", "engine2name ???",
          "telluser Tournament_stopped The game could not be appended to \"Saved Elsewhere.pgn\": is a directory; it "
          "is played again when the tournament is resumed.",
          "tournament_finished"}},
    };
    for (const auto& test : cases) {
        ConsoleSession console(std::map<std::string, std::string>{{"TORVANE_FAKE_MOVES", "d2c4"}});
        const std::string blocking =
            test.blocked == Blocked::after_game_1 ? commands_blocking_file("tournaments/Saved Elsewhere.trn") : "";
        write_engines_cfg(console,
                          {{"W", write_engine_wrapper(console.dir(), "w.sh", ConsoleSession::fake_engine(), {}, blocking),
                            "uci"},
                           {"B", ConsoleSession::fake_engine(), "uci"}});
        console.write_file("suite.epd", "4k3/8/8/3n4/8/8/3N4/4K3 w - -\n");
        write_tournament(console,
                         {.event = "Saved Elsewhere", .level = "fixed_depth 1", .suite = console.dir() + "/suite.epd",
                          .participants = {"W", "B"}, .games = {{"1", 1, 1, 2}, {"2", 1, 2, 1, test.second_result}}},
                         "Loaded");
        if (test.blocked == Blocked::before_the_run)
            std::filesystem::create_directories(console.dir() + "/tournaments/Saved Elsewhere.trn");
        if (test.blocked == Blocked::pgn_file)
            std::filesystem::create_directories(console.dir() + "/Saved Elsewhere.pgn");
        const Lines lines = play_tournament(console, "Loaded");
        ASSERT_EQ(result_lines(lines), test.results);
        const auto end = test.results.empty() ? lines.begin() : std::find(lines.begin(), lines.end(), result) + 1;
        EXPECT_EQ(Lines(end, lines.end()), test.end);
        EXPECT_EQ(std::count(lines.begin(), lines.end(), "round 1"), test.results.empty() ? 0 : 1);
        EXPECT_TRUE(console.children().empty());
    }
}

TEST(ConsoleFaults, CommandsThatCannotBeCarriedOutAreAnswered)
{
    ConsoleSession console;
    const struct {
        std::string command;
        Lines lines;
    } cases[] = {
        {"0 learnopenings 2", {"reset mode", "telluser No_Polyglot_book_found use menu 'File' to load a Polyglot book"}},
        {"0 polyglotbook /nonexistent/book one.bin", {}},
        {"0 learnopenings 3", {"reset mode", "telluser PolyglotBook::open() open /nonexistent/book one.bin failed (1)"}},
        {"0 learnopenings 0", {}},
        {"0 load 1 filename " + ConsoleSession::fake_engine(),
         {"engine1name FakeEngine 1.0", "diagram " + start_fen, "level sessions 40 0:10 0.1"}},
        {"0 analyzeposition", {}},
        {"0 usermove e2e4", {"telluser GuiManager::process_command_from_interface()  usermove while in analysis mode"}},
        {"0 human_computer", {}},
        // Slot 1 emptied by a failed load: the human's moves are still refereed.
        {"0 load 1 filename /nonexistent/engine",
         {"engine1name ???", "telluser /nonexistent/engine failed: there is no such file"}},
        {"0 setboard 6k1/5ppp/8/8/8/8/8/R5K1 w - - 0 1", {}},
        {"0 usermove a1a9", {"telluser illegal move refused: a1a9"}},
        {"0 usermove a1a8", {"1-0 {White mates}", "round ?", "telluser result: 1-0"}},
        // Nothing to play: the board is not reset for a game that never starts.
        {"0 start_tournament", {none_loaded, "tournament_finished"}},
    };
    for (const auto& test : cases) {
        EXPECT_EQ(answer_to(console, test.command), test.lines) << test.command;
    }
}

// An engine that writes analysis lines without end: the window hears them
// only while the engine searches, and its commands do not wait behind them.
TEST(ConsoleFaults, AFloodingEngineIsHeardOnlyWhileItSearchesAndNeverHoldsBackQuit)
{
    ConsoleSession console(std::map<std::string, std::string>{{"TORVANE_FAKE_MOVES", "e7e5"}});
    console.send("0 load 1 filename " + ConsoleSession::fake_engine("fake_engine_flood"));
    console.send("0 level fixed_depth 1");
    console.send("0 human_computer");
    console.send("0 usermove e2e4");
    EXPECT_TRUE(contains(console.lines_until("shout"), "move e7e5"));
    const Lines after_its_move = console.lines_for(1s);
    EXPECT_TRUE(after_its_move.empty()) << after_its_move.size() << " lines, the first " << after_its_move.front();

    // Analysing, it is heard; then a command to the manager goes ahead of
    // whatever has piled up, and a new game stops the analysis.
    const auto hear_analysis = [&console] {
        console.send("0 analyzeposition");
        int heard = 0;
        console.lines_until([&](const std::string& line) { return starts_with(line, "white_info ") && ++heard == 20000; });
    };
    hear_analysis();
    console.send("0 new");
    EXPECT_LT(console.lines_until("diagram " + start_fen).size(), 5000u);
    EXPECT_EQ(console.next_line(), "level fixed_depth 1");
    // The analysis that waited behind the command comes, and then no more.
    console.lines_for(1s);
    EXPECT_TRUE(console.lines_for(1s).empty());
    hear_analysis();
    console.send("0 quit");
    // What was already on its way to the window, and no backlog.
    EXPECT_LT(console.lines_until("quit").size(), 5000u);
    EXPECT_EQ(console.wait_exit(), 0);
}

}
}
