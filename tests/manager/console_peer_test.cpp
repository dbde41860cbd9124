// Debian's engines in the manager's slots through the console: stockfish
// (UCI) and fairymax (xboard), by path and by installed name. Fairymax is
// named as an xboard engine: the "uci" probe of protocol detection can crash it.
#include "tests/manager/console_fixtures.h"
#include "tests/manager/session_tokens.h"
#include "tests/support/peer_programs.h"

#include <gtest/gtest.h>

#include <chrono>

namespace torvane_test {
namespace {

using namespace std::chrono_literals;

TEST(ConsolePeers, LoadsStockfishAndFairymaxAndLeavesNoProcessOnQuit)
{
    const std::string stockfish = peer_program("stockfish");
    const std::string fairymax = peer_program("fairymax");
    ConsoleSession console;
    console.write_file("engines.cfg", "name Fairy\nfilename " + fairymax + "\nprotocol xboard_v2\n");
    const struct {
        std::string command;
        std::string name_start;
    } cases[] = {
        {"0 load 1 filename " + stockfish, "engine1name Stockfish "},
        {"0 load 3 filename " + fairymax, "engine1name Fairy-Max "},
        {"0 load 0 name Fairy", "engine1name Fairy"},
        {"0 load 0 filename " + stockfish, "engine1name Stockfish "},
    };
    for (const auto& test : cases) {
        console.send(test.command);
        const Lines lines = console.lines_until([](const std::string& line) { return starts_with(line, "level "); });
        ASSERT_EQ(lines.size(), 3u) << test.command;
        EXPECT_TRUE(starts_with(lines[0], test.name_start)) << lines[0];
        EXPECT_EQ(lines[1], "diagram " + start_fen);
        EXPECT_EQ(lines[2], "level sessions 40 0:10 0.1");
        EXPECT_EQ(console.children().size(), 1u) << test.command;
    }
    const std::vector<pid_t> engines = console.children();
    console.send("0 quit");
    EXPECT_EQ(console.lines_until("quit", 10s), Lines{"quit"});
    EXPECT_EQ(console.wait_exit(10s), 0);
    for (pid_t engine : engines) {
        EXPECT_FALSE(ConsoleSession::process_alive(engine));
    }
}

TEST(ConsolePeers, ClearHashButtonReachesStockfishAsItsOnlyOptionLine)
{
    ConsoleSession console;
    console.send("0 debug true");
    console.send("0 load 1 filename " + peer_program("stockfish"));
    // A quit queued behind a load cancels its handshake: the option waits for the engine.
    console.lines_until([](const std::string& line) { return starts_with(line, "level "); });
    console.send("0 setoption name Clear Hash value\n");
    console.send("0 quit");
    console.lines_until("quit", 20s);
    ASSERT_EQ(console.wait_exit(10s), 0);
    const std::string sent = console.read_file("engine1.log");
    // The one option changed is the one line sent; the log began at the handshake.
    EXPECT_NE(sent.find("engine <- setoption name Clear Hash\n"), std::string::npos) << sent;
    EXPECT_EQ(sent.find("engine <- setoption"), sent.rfind("engine <- setoption")) << sent;
    EXPECT_LT(sent.find("engine <- uci\n"), sent.find("engine -> uciok")) << sent;
}

}
}
