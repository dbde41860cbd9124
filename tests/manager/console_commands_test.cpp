// The window's first commands through the console: time controls, the debug
// log, refused input reported without ending the manager, and lines that
// have no handler.
#include "tests/manager/console_fixtures.h"
#include "tests/manager/session_tokens.h"

#include <gtest/gtest.h>

#include <chrono>
#include <sstream>

namespace torvane_test {
namespace {

using namespace std::chrono_literals;

TEST(ConsoleCommands, LevelIsTakenOnlyWhenItCanBeRead)
{
    ConsoleSession console;
    // Without an engine the level is kept but nothing is said.
    EXPECT_EQ(answer_to(console, "0 level fixed_depth 5"), Lines{});
    console.send("0 load 1 filename " + ConsoleSession::fake_engine());
    EXPECT_EQ(console.lines_until("level fixed_depth 5").front(), "engine1name FakeEngine 1.0");

    const struct {
        std::string command;
        Lines lines;
        std::string level_after;
    } cases[] = {
        {"0 level fixed_movetime 50", {"wtime 1073741824"}, "fixed_movetime 50"},
        {"0 level sudden_death 0 1 0", {"wtime 60000"}, "sudden_death 0 1 0"},
        {"0 level sessions 40 2:30 1", {"wtime 150000"}, "sessions 40 2:30 1"},
        {"0 level sessions 40 0:10 0.1", {"wtime 10000"}, "sessions 40 0:10 0.1"},
        {"0 level gallop 3", {"telluser Level::set(gallop 3)"}, "sessions 40 0:10 0.1"},
        {"0 level", {"telluser Level::set()"}, "sessions 40 0:10 0.1"},
        {"0 level fixed_depth 3", {"wtime 1073741824"}, "fixed_depth 3"},
    };
    for (const auto& test : cases) {
        const Lines answer = answer_to(console, test.command);
        ASSERT_EQ(answer.size(), test.lines.size()) << test.command;
        for (std::size_t i = 0; i < answer.size(); ++i) {
            // Refusals name the operation; the exact wording is the parser's.
            const std::string& want = test.lines[i];
            EXPECT_EQ(answer[i].substr(0, want.find('(')), want.substr(0, want.find('('))) << test.command;
        }
        EXPECT_EQ(answer_to(console, "0 new"), (Lines{"diagram " + start_fen, "level " + test.level_after}))
            << test.command;
    }
}

TEST(ConsoleCommands, DebugAppendsWindowLinesToTheManagerLog)
{
    ConsoleSession console;
    console.write_file("manager.log", "earlier run\n");
    for (const char* line : {"0 level fixed_depth 1", "0 debug true", "0 level fixed_depth 4", "0 wake_up",
                             "0 debug xtruex", "0 human_human", "0 debug false", "0 level fixed_depth 6"}) {
        console.send(line);
    }
    console.send("0 quit");
    console.lines_until("quit");
    ASSERT_EQ(console.wait_exit(10s), 0);

    std::istringstream log(console.read_file("manager.log"));
    Lines logged;
    std::string line;
    std::getline(log, line);
    EXPECT_EQ(line, "earlier run");
    // "SSSSS.mmm interface -> LINE"
    const std::string arrow = " interface -> ";
    while (std::getline(log, line)) {
        ASSERT_GT(line.size(), 9 + arrow.size()) << line;
        EXPECT_EQ(line.find_first_not_of("0123456789"), 5u) << line;
        EXPECT_EQ(line[5], '.') << line;
        EXPECT_EQ(line.substr(6, 3).find_first_not_of("0123456789"), std::string::npos) << line;
        EXPECT_EQ(line.substr(9, arrow.size()), arrow) << line;
        logged.push_back(line.substr(9 + arrow.size()));
    }
    EXPECT_EQ(logged, (Lines{"0 level fixed_depth 4", "0 debug xtruex", "0 human_human", "0 debug false"}));
}

TEST(ConsoleCommands, RefusedInputIsReportedAndTheManagerGoesOn)
{
    ConsoleSession console;
    const struct {
        std::string command;
        std::string answer_start;
    } cases[] = {
        {"0 setboard rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP w KQkq - 0 1", "telluser ChessPosition::fen("},
        {"0 setboard rnbqkbnr/pppppppp/9/8/8/8/PPPPPPPP/RNBQKBNR w KQkq - 0 1", "telluser BoardPosition::fen("},
        {"0 level hours 3", "telluser Level::set("},
        {"1 5 info depth 3", ""},
        {"0 polyglotbook /nonexistent/book.bin", ""},
        {"0 book /nonexistent/suite.pgn", ""},
        {"0 book", ""},
        {"0 reset_tournament", ""},
        {"0 fly_away now", ""},
        {"0 ponder on", ""},
        {"0 ponder off", ""},
        {"0 ping 17", "pong 17"},
        {"0 human_human", ""},
        {"0 new", ""},
        {"   ", ""},
        {"9 load 1 filename /nonexistent", ""},
    };
    for (const auto& test : cases) {
        const Lines answer = answer_to(console, test.command);
        if (test.answer_start.empty()) {
            EXPECT_EQ(answer, Lines{}) << test.command;
        } else {
            ASSERT_EQ(answer.size(), 1u) << test.command;
            EXPECT_EQ(answer[0].rfind(test.answer_start, 0), 0u) << answer[0];
        }
    }
    // The position before the refused FEN is still the manager's.
    console.send("0 setboard 4k3/8/8/8/8/8/8/4K3 w - - 0 1");
    console.send("0 quit");
    EXPECT_EQ(console.lines_until("quit"), Lines{"quit"});
    EXPECT_EQ(console.wait_exit(10s), 0);
}

TEST(ConsoleCommands, LinesQueuedBehindQuitAreHandledAndQuitIsAnsweredOnce)
{
    ConsoleSession console;
    console.send("0 quit\n0 level bogus\n0 quit");
    // Read until the output ends as the console quits.
    const Lines lines = console.lines_for(30s);
    EXPECT_EQ(console.wait_exit(10s), 0);
    EXPECT_EQ(lines, (Lines{"quit", "telluser Level::set(bogus)"}));
}

}
}
