// Engine slots through the console with the fake engine: loading by path and
// by installed name, failed loads, session tokens across loads and restarts,
// options reaching the engine, and quitting (or being signalled) with an
// engine loaded or starting.
#include "tests/manager/console_fixtures.h"
#include "tests/manager/session_tokens.h"
#include "tests/support/process_group.h"
#include "tests/support/test_time.h"

#include <gtest/gtest.h>

#include <chrono>
#include <csignal>
#include <filesystem>
#include <thread>

namespace torvane_test {
namespace {

using namespace std::chrono_literals;

// A program in the console's directory that waits 20 s before it runs the
// fake engine, as a wrapper script does for an engine that starts late.
std::string write_late_wrapper(const ConsoleSession& console)
{
    console.write_file("late.sh", "#!/bin/sh\nsleep 20\nexec " + ConsoleSession::fake_engine() + "\n");
    const std::string path = console.dir() + "/late.sh";
    std::filesystem::permissions(path, std::filesystem::perms::owner_all);
    return path;
}

// The console's engine processes once one has been started.
std::vector<pid_t> started_engines(const ConsoleSession& console)
{
    const auto deadline = std::chrono::steady_clock::now() + scaled(5s);
    while (console.children().empty() && std::chrono::steady_clock::now() < deadline) {
        std::this_thread::sleep_for(10ms);
    }
    return console.children();
}

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
    ConsoleSession console;
    // Engines that end once they have read their first line.
    const auto ending = [&console](const std::string& name, const std::string& end) {
        console.write_file(name, "#!/bin/sh\nread l\n" + end + "\n");
        std::filesystem::permissions(console.dir() + "/" + name, std::filesystem::perms::owner_all);
        return console.dir() + "/" + name;
    };
    const std::string exits = ending("exit.sh", "exit 1");
    const std::string segv = ending("segv.sh", "kill -SEGV $$");
    const struct {
        std::string command;
        Lines lines;
        bool engine_stays;
    } cases[] = {
        {"0 load 1 filename /nonexistent/engine",
         {"engine1name ???", "telluser /nonexistent/engine failed: there is no such file"}, false},
        // The path is the message's title, one word: its blanks are sent as
        // "_", its own "_" as "\_", so that the window shows it as it is.
        {"0 load 2 filename   /no where/eng_ine  ",
         {"engine1name ???", "telluser /no_where/eng\\_ine failed: there is no such file"}, false},
        {"0 load 0 name Nobody",
         {"engine1name ???", "telluser Nobody failed: no engine is installed under that name"}, false},
        {"0 load 0 name", {"engine1name ???"}, false},
        {"0 load 1 filename " + exits,
         {"engine1name ???", "telluser " + exits + " failed: it ended with status 1 after \"uci\"; it wrote nothing"},
         false},
        {"0 load 1 filename " + segv,
         {"engine1name ???", "telluser " + segv +
                                 " failed: it was killed by signal 11 (Segmentation fault) after \"uci\"; it wrote "
                                 "nothing"},
         false},
        // Another kind leaves the engine and resets the position.
        {"0 load 1 elsewhere /usr/games/stockfish", {"diagram " + start_fen, "level sessions 40 0:10 0.1"}, true},
    };
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

// However it is asked to quit, the console ends within the quit bound, and
// every process of its engine with it: one that ignores "quit" and SIGTERM
// while it searches, and a wrapper that is still sleeping before its engine
// starts.
TEST(ConsoleEngines, QuitUnloadsEveryEngineWithinBoundedTime)
{
    const struct {
        const char* how;
        const char* mode;
        bool late;
    } cases[] = {
        {"0 quit", "", false},         {"", "", false},         {"0 quit", "", true},
        {"SIGTERM", "hang_hard", false}, {"SIGINT", "hang_hard", false}, {"SIGHUP", "hang_hard", false},
        {"SIGTERM", "", true},
    };
    for (const auto& [how, mode, late] : cases) {
        const std::string what = std::string(how) + " " + mode + (late ? " late" : "");
        ConsoleSession console(std::map<std::string, std::string>{{"TORVANE_FAKE_MODE", mode}});
        if (late) {
            console.send("0 load 0 filename " + write_late_wrapper(console));
        } else {
            ASSERT_EQ(answer_to(console, "0 load 1 filename " + ConsoleSession::fake_engine()), fresh_engine_lines())
                << what;
            console.send("0 analyzeposition");
        }
        const std::vector<pid_t> engines = started_engines(console);
        ASSERT_EQ(engines.size(), 1u) << what;
        const auto start = std::chrono::steady_clock::now();
        const std::string signal = how;
        if (signal.empty()) {
            console.close_input();
        } else if (signal[0] == '0') {
            console.send(signal);
        } else {
            ::kill(console.pid(), signal == "SIGTERM" ? SIGTERM : signal == "SIGINT" ? SIGINT : SIGHUP);
        }
        EXPECT_NO_THROW(console.lines_until("quit", 5s)) << what;
        EXPECT_EQ(console.wait_exit(5s), 0) << what;
        EXPECT_LT(std::chrono::steady_clock::now() - start, scaled(3500ms)) << what;
        EXPECT_FALSE(process_group_running(engines.front())) << what;
    }
}

// A load while another engine is still starting gives that one up: the new
// engine is named within the quit bound, and the late one is gone whole.
TEST(ConsoleEngines, ANewLoadCancelsAHandshakeUnderWay)
{
    ConsoleSession console;
    console.send("0 load 0 filename " + write_late_wrapper(console));
    const std::vector<pid_t> late = started_engines(console);
    ASSERT_EQ(late.size(), 1u);
    const auto start = std::chrono::steady_clock::now();
    console.send("0 load 1 filename " + ConsoleSession::fake_engine());
    EXPECT_EQ(console.lines_until("engine1name FakeEngine 1.0", 5s),
              (Lines{"engine1name ???", "engine1name FakeEngine 1.0"}));
    EXPECT_LT(std::chrono::steady_clock::now() - start, scaled(3500ms));
    EXPECT_FALSE(process_group_running(late.front()));
}

}
}
