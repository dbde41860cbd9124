// The fake engine is the opponent of every engine-layer test; these cases pin
// down what it answers in each protocol and mode, so that the tests built on
// it rest on known behaviour.
#include "engines/engio.h"

#include "tests/engines/engine_receiver.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <thread>
#include <ostream>

namespace {

using torvane_test::EngineReceiver;
using Lines = std::vector<std::string>;

struct Conversation {
    const char* name;
    const char* mode;
    const char* moves;
    Lines commands;
    const char* last_prefix;
    Lines expected;
};

void PrintTo(const Conversation& c, std::ostream* out) { *out << c.name; }

class FakeEngine : public ::testing::TestWithParam<Conversation> {};

// Strips the arrival stamp that the reader adds to best-move lines.
std::string without_stamp(const std::string& line)
{
    std::size_t stamp = line.find(" TS=");
    return stamp == std::string::npos ? line : line.substr(0, stamp);
}

TEST_P(FakeEngine, Answers)
{
    const Conversation& c = GetParam();
    setenv("TORVANE_FAKE_MODE", c.mode, 1);
    setenv("TORVANE_FAKE_MOVES", c.moves, 1);
    setenv("TORVANE_FAKE_DELAY_MS", "20", 1);
    unsetenv("TORVANE_FAKE_RECORD");
    EngineReceiver receiver;
    Engio engio;
    engio.set_cvtrio(receiver.trio());
    engio.spawn_engine(std::string(FAKE_ENGINE_DIR) + "/fake_engine");
    ASSERT_TRUE(engio.spawned());
    std::thread reader(std::ref(engio));
    for (const std::string& command : c.commands) {
        engio(command);
    }
    Lines lines = receiver.lines_until(c.last_prefix);
    for (std::string& line : lines) {
        line = without_stamp(line);
    }
    EXPECT_EQ(lines, c.expected);
    engio.quit();
    reader.join();
}

const Lines uci_hello{"id name FakeEngine 1.0",
                      "id author Torvane Tests",
                      "option name Hash type spin default 16 min 1 max 1024",
                      "option name Ponder type check default false",
                      "option name Style type combo default Normal var Solid var Normal var Risky",
                      "option name Clear Hash type button",
                      "uciok"};

Lines with_many_options()
{
    Lines lines(uci_hello.begin(), uci_hello.end() - 1);
    for (int i = 1; i <= 300; ++i) {
        lines.push_back("option name Knob" + std::to_string(i) + " type spin default " + std::to_string(i) +
                        " min 0 max 1000");
    }
    lines.push_back("uciok");
    return lines;
}

const Lines xboard_features{"feature ping=1 setboard=1 san=0 usermove=1 time=1 myname=\"FakeEngine 1.0\"",
                            "feature done=1"};

INSTANTIATE_TEST_SUITE_P(
    Conversations, FakeEngine,
    ::testing::Values(
        Conversation{"uci_handshake", "", "", {"uci"}, "uciok", uci_hello},
        Conversation{"uci_many_options", "many_options", "", {"uci"}, "uciok", with_many_options()},
        Conversation{"uci_slow", "slow", "", {"isready"}, "readyok", {"readyok"}},
        Conversation{"uci_scripted_moves",
                     "",
                     "e2e4 g1f3",
                     {"position startpos", "go wtime 1000 btime 1000", "go depth 3"},
                     "bestmove g1f3",
                     {"info depth 1 score cp 12 time 1 nodes 100 nps 100000 pv e2e4", "bestmove e2e4",
                      "info depth 1 score cp 12 time 1 nodes 100 nps 100000 pv g1f3", "bestmove g1f3"}},
        Conversation{"uci_out_of_moves", "", "", {"go depth 1"}, "bestmove", {"bestmove (none)"}},
        Conversation{"uci_none", "none", "e2e4", {"go depth 1"}, "bestmove", {"bestmove (none)"}},
        Conversation{"uci_go_without_limits_ends_on_stop", "", "e2e4", {"go", "echo searching", "stop"}, "bestmove",
                     {"searching", "info depth 1 score cp 12 time 1 nodes 100 nps 100000 pv e2e4", "bestmove e2e4"}},
        Conversation{"uci_illegal",
                     "illegal",
                     "",
                     {"go depth 1"},
                     "bestmove",
                     {"info depth 1 score cp 12 time 1 nodes 100 nps 100000 pv e2e5", "bestmove e2e5"}},
        Conversation{"xboard2_features", "", "", {"xboard", "protover 2"}, "feature done", xboard_features},
        Conversation{"xboard2_move",
                     "",
                     "e7e5",
                     {"xboard", "new", "force", "usermove e2e4", "go"},
                     "move",
                     {"1 12 0 100 e7e5", "move e7e5"}},
        Conversation{"xboard2_ping", "", "", {"xboard", "ping 7"}, "pong", {"pong 7"}},
        Conversation{"xboard2_only_refuses_uci", "no_uci", "", {"uci", "xboard", "protover 2"}, "feature done",
                     {"Error (unknown command): uci", xboard_features[0], xboard_features[1]}},
        Conversation{"xboard2_resign", "resign", "e7e5", {"xboard", "new", "go"}, "resign", {"resign"}},
        Conversation{"xboard1_silent_on_protover",
                     "xboard1",
                     "e7e5",
                     {"xboard", "protover 2", "new", "e2e4"},
                     "move",
                     {"1 12 0 100 e7e5", "move e7e5"}}),
    [](const auto& info) { return std::string(info.param.name); });

}
