// Autodetected engines that first answer seconds after their start, loaded
// through the engine owner: each is named by its own handshake and plays; one
// that never answers is driven as xboard version 1 once the wait is over; one
// that is still talking when the usual wait ends is listened to longer; one
// that exits on "uci" late is started again for xboard.
#include "engines/gui_engine.h"

#include "engines/protocol_detection.h"
#include "tests/engines/engine_receiver.h"
#include "tests/support/test_time.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <ostream>
#include <string>

namespace {

using namespace std::chrono_literals;
using torvane_test::EngineReceiver;

struct LateStart {
    const char* what;
    const char* modes;
    const char* start_ms;
    const char* banner_ms;
    bool uci;
    int protocol;
    const char* name;
    std::size_t options;
    bool plays;
    std::chrono::milliseconds load_at_least;
};

void PrintTo(const LateStart& c, std::ostream* out) { *out << c.what; }

class LateStartAutodetected : public testing::TestWithParam<LateStart> {};

TEST_P(LateStartAutodetected, IsNamedByItsOwnHandshakeAndPlays)
{
    const LateStart& c = GetParam();
    setenv("TORVANE_FAKE_MODE", c.modes, 1);
    setenv("TORVANE_FAKE_START_MS", c.start_ms, 1);
    setenv("TORVANE_FAKE_BANNER_MS", c.banner_ms, 1);
    setenv("TORVANE_FAKE_MOVES", "e2e4", 1);
    EngineReceiver manager;
    GuiEngine owner;
    const auto begin = std::chrono::steady_clock::now();
    owner.load(1, std::string(FAKE_ENGINE_DIR) + "/fake_engine", protocol_autodetect, manager.trio());
    const auto took = std::chrono::steady_clock::now() - begin;
    unsetenv("TORVANE_FAKE_MODE");
    unsetenv("TORVANE_FAKE_START_MS");
    unsetenv("TORVANE_FAKE_BANNER_MS");
    unsetenv("TORVANE_FAKE_MOVES");
    EXPECT_GE(took, c.load_at_least);
    EXPECT_LT(took, c.load_at_least + torvane_test::scaled_below(1500ms, uci_probe_time));
    EXPECT_EQ(owner.is_uci(), c.uci);
    EXPECT_EQ(owner.copy_enginevariables().get_protocol(), c.protocol);
    EXPECT_EQ(owner.get_idname(), c.name);
    EXPECT_EQ(owner.get_options().size(), c.options);
    if (c.plays) {
        owner.set_token(5);
        owner.new_game();
        ChessPosition position;
        position.set_start_position();
        owner.set_position(position);
        owner.go();
        const std::vector<std::string> lines = manager.lines_until("1 5 bestmove");
        ASSERT_FALSE(lines.empty());
        EXPECT_EQ(lines.back().substr(0, 17), "1 5 bestmove e2e4");
    }
}

// The fake engine's own name and its four UCI options; the deaf engine's
// banner decides nothing, but keeps the wait going 3 s past the usual 15 s,
// as the banner of the engine that answers "uci" only at 17 s does.
INSTANTIATE_TEST_SUITE_P(
    Engines, LateStartAutodetected,
    testing::Values(LateStart{"uci", "late", "10000", "-1", true, protocol_uci, "FakeEngine 1.0", 4, true, 10000ms},
                    LateStart{"xboard", "late,no_uci", "10000", "-1", false, protocol_xboard_v2, "FakeEngine 1.0", 0,
                              true, 10000ms},
                    LateStart{"never_answers", "deaf", "10000", "-1", false, protocol_xboard_v1, "NoNameYet", 0, false,
                              18000ms},
                    LateStart{"talking_at_the_end_of_the_wait", "late", "17000", "13000", true, protocol_uci,
                              "FakeEngine 1.0", 4, true, 17000ms},
                    LateStart{"exits_on_uci_after_the_uci_probe", "late,exit_on_uci", "4000", "-1", false,
                              protocol_xboard_v2, "FakeEngine 1.0", 0, true, 8000ms}),
    [](const testing::TestParamInfo<LateStart>& info) { return std::string(info.param.what); });

}
