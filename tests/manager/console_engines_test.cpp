// Engine slots through the console with the fake engine: loading by path and
// by installed name, failed loads, session tokens across loads and restarts,
// options reaching the engine, and quitting with an engine loaded.
#include "tests/manager/console_fixtures.h"
#include "tests/manager/session_tokens.h"
#include "tests/support/test_time.h"

#include <gtest/gtest.h>

#include <chrono>

namespace torvane_test {
namespace {

using namespace std::chrono_literals;

// A fresh engine's answer, naming it as the games will: by its installed name.
Lines fresh_engine_lines(const std::string& name = "FakeEngine 1.0")
{
    return {"engine1name " + name, "diagram " + start_fen, "level sessions 40 0:10 0.1"};
}

TEST(ConsoleEngines, LoadsByPathAndByInstalledName)
{
    const std::string fake = ConsoleSession::fake_engine();
    ConsoleSession console;
    console.write_file("engines.cfg", "name Fake Engine\nfilename " + fake + "\nprotocol xboard_v2\n\n"
                                      "name Fake Uci\nfilename " + fake + "\nprotocol uci\n");
    const std::pair<std::string, std::string> loads[] = {
        {"0 load 1 filename " + fake, "FakeEngine 1.0"}, {"0 load 0 filename   " + fake + "  ", "FakeEngine 1.0"},
        {"0 load 3 filename " + fake, "FakeEngine 1.0"}, {"0 load 7 filename " + fake, "FakeEngine 1.0"},
        {"0 load 0 name Fake Engine", "Fake Engine"},    {"0 load 2 name Fake Uci", "Fake Uci"}};
    for (const auto& [load, name] : loads) {
        EXPECT_EQ(answer_to(console, load), fresh_engine_lines(name)) << load;
    }
}

TEST(ConsoleEngines, FailedLoadsSayWhatFailedAndLeaveSlotOneEmpty)
{
    const struct {
        std::string command;
        Lines lines;
        bool engine_stays;
    } cases[] = {
        {"0 load 1 filename /nonexistent/engine", {"engine1name ???", "telluser /nonexistent/engine failed"}, false},
        {"0 load 2 filename   /no where/eng ine  ", {"engine1name ???", "telluser /no where/eng ine failed"}, false},
        {"0 load 0 name Nobody", {"engine1name ???", "telluser Nobody failed"}, false},
        {"0 load 0 name", {"engine1name ???"}, false},
        // Another kind leaves the engine and resets the position.
        {"0 load 1 elsewhere /usr/games/stockfish", {"diagram " + start_fen, "level sessions 40 0:10 0.1"}, true},
    };
    ConsoleSession console;
    for (const auto& test : cases) {
        ASSERT_EQ(answer_to(console, "0 load 1 filename " + ConsoleSession::fake_engine()), fresh_engine_lines());
        EXPECT_EQ(answer_to(console, test.command), test.lines) << test.command;
        // A failed load has unloaded the old engine: no clock line follows.
        EXPECT_EQ(answer_to(console, "0 level sessions 40 0:10 0.1").size(), test.engine_stays ? 1u : 0u) << test.command;
    }
}

TEST(ConsoleEngines, OnlyLinesOfTheEngineNowInTheSlotCount)
{
    const std::string info = "info depth 7 score cp 3 pv e2e4";
    const Lines window_info = {"white_info  depth 7 score cp 3 pv e2e4"};
    const Lines fresh = fresh_engine_lines();
    const Lines reset(fresh.begin() + 1, fresh.end());
    const std::pair<std::string, Lines> steps[] = {
        {"0 load 1 filename " + ConsoleSession::fake_engine(), fresh_engine_lines()},
        {engine_line(1, session_token(1), info), window_info},
        {engine_line(1, session_token(2), info), {}},
        {engine_line(2, session_token(1), info), {}},
        {"1 x " + info, {}},
        {"7 " + info, {}},
        {"", {}},
        // A new load draws the next token; the old engine's lines are stale.
        {"0 load 1 filename " + ConsoleSession::fake_engine(), fresh_engine_lines()},
        {engine_line(1, session_token(1), info), {}},
        {engine_line(1, session_token(2), info), window_info},
        // An engine that may not be reused is restarted by "new", with a fresh
        // token and no new name line; the restart and "new" each reset the game.
        {"0 load 3 filename " + ConsoleSession::fake_engine("fake_engine_no_reuse"), fresh_engine_lines()},
        {"0 new", {reset[0], reset[1], reset[0], reset[1]}},
        {engine_line(1, session_token(3), info), {}},
        {engine_line(1, session_token(4), info), window_info},
        // Once the game is over, nobody searches: the engine is not heard.
        {"0 setboard 6k1/5ppp/8/8/8/8/8/R5K1 w - - 0 1", {}},
        {"0 human_computer", {}},
        {"0 usermove a1a8",
         {"blackname FakeEngine 1.0", "whitename Human", "1-0 {White mates}", "round ?", "telluser result: 1-0"}},
        {engine_line(1, session_token(4), info), {}},
    };
    ConsoleSession console;
    for (const auto& [command, lines] : steps) {
        EXPECT_EQ(answer_to(console, command), lines) << command;
    }
}

// Each option reaches the engine once, as one line, and counts at once even
// when it is set while the engine analyses (the fake engine, like some real
// ones, ignores options during a search). Logging from before the load
// shows the handshake too.
TEST(ConsoleEngines, OptionsReachTheEngineOnceAndInTimeAndTheLogHoldsTheHandshake)
{
    ConsoleSession console;
    console.send("0 debug true");
    console.send("0 load 1 filename " + ConsoleSession::fake_engine("fake_engine_options"));
    console.send("0 setoption name Clear Hash value");
    console.send("0 setoption name Hash value 64\n");
    console.send("0 setoption name Style value   Very  Risky  ");
    console.send("0 setoption value 5");
    console.send("0 setoption name value 5");
    console.send("0 analyzeposition");
    console.send("0 setoption name Style value Solid");
    EXPECT_NO_THROW(console.lines_until("white_info  string options Hash=64 Style=Solid", 10s));
    console.send("0 quit");
    console.lines_until("quit");
    ASSERT_EQ(console.wait_exit(10s), 0);
    const std::string sent = console.read_file("engine1.log");
    auto count = [&sent](const std::string& text) {
        std::size_t found = 0;
        for (std::size_t at = sent.find(text); at != std::string::npos; at = sent.find(text, at + 1)) {
            ++found;
        }
        return found;
    };
    EXPECT_EQ(count("engine <- setoption"), 4u) << sent;
    for (const char* line : {"engine <- setoption name Clear Hash\n", "engine <- setoption name Hash value 64\n",
                             "engine <- setoption name Style value Very Risky\n",
                             "engine <- setoption name Style value Solid\n", "engine <- uci\n",
                             "engine -> id name FakeEngine 1.0\n", "engine -> uciok"}) {
        EXPECT_EQ(count(line), 1u) << line << sent;
    }
}

// A UCI engine that answers "uci" only after 4 s (as one behind a wrapper
// that does other work first) is named by its own "id name" and plays, found
// by autodetection and with UCI chosen.
TEST(ConsoleEngines, AUciEngineThatAnswersLateIsNamedAndPlays)
{
    for (const std::string load : {"0 load 0 filename ", "0 load 1 filename "}) {
        ConsoleSession console(std::map<std::string, std::string>{{"TORVANE_FAKE_MOVES", "e7e5"}});
        EXPECT_EQ(answer_to(console, load + ConsoleSession::fake_engine("fake_engine_late")), fresh_engine_lines())
            << load;
        console.send("0 human_computer");
        console.send("0 usermove e2e4");
        EXPECT_NO_THROW(console.lines_until("move e7e5", 10s)) << load;
    }
}

TEST(ConsoleEngines, QuitUnloadsEveryEngineWithinBoundedTime)
{
    for (bool close_input : {false, true}) {
        ConsoleSession console;
        ASSERT_EQ(answer_to(console, "0 load 1 filename " + ConsoleSession::fake_engine()), fresh_engine_lines());
        const std::vector<pid_t> engines = console.children();
        ASSERT_EQ(engines.size(), 1u);
        const auto start = std::chrono::steady_clock::now();
        if (close_input) {
            console.close_input();
        } else {
            console.send("0 quit");
        }
        EXPECT_EQ(console.lines_until("quit", 5s), Lines{"quit"});
        EXPECT_EQ(console.wait_exit(5s), 0);
        EXPECT_LT(std::chrono::steady_clock::now() - start, torvane_test::scaled(3s));
        EXPECT_FALSE(ConsoleSession::process_alive(engines.front()));
    }
}

}
}
