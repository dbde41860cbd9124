#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <map>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "engines/level.h"
#include "engines/option.h"
#include "engines/uci_engine.h"
#include "engines/xboard_engine.h"
#include "tests/engines/driver_harness.h"
#include "tests/support/test_time.h"

namespace {

using torvane_test::DriverHarness;
using Lines = std::vector<std::string>;
using Options = std::map<std::string, Option>;

Option option(const std::string& line, const std::string& value, bool changed = false)
{
    Option made(line);
    made.set_value(value);
    made.set_changed(changed);
    return made;
}

Options sample_options(bool button_pressed)
{
    Options options;
    for (const Option& one :
         {option("option name Hash type spin default 16 min 1 max 1024", "32"),
          option("option name Ponder type check default false", "false"),
          option("option name Own Book type check default true", "true"),
          option("option name Style type combo default Normal var Solid var Normal var Risky", "Risky"),
          option("option name Clear Hash type button", "", button_pressed),
          option("option name Book File type string default", ""),
          option("option name Mode type string default x", "True")})
        options[one.get_name()] = one;
    return options;
}

TEST(BaseEngine, UciOptionsSkipAnUnpressedButton)
{
    DriverHarness harness(std::make_unique<UciEngine>(), DriverHarness::fake());
    harness.driver().send_options(sample_options(false));
    EXPECT_EQ(harness.received(),
              (Lines{"setoption name Book File", "setoption name Hash value 32", "setoption name Mode value True",
                     "setoption name Own Book value true", "setoption name Ponder value false",
                     "setoption name Style value Risky"}));
    EXPECT_EQ(harness.driver().get_options().size(), 7u);
}

TEST(BaseEngine, APressedButtonIsSentOnce)
{
    DriverHarness harness(std::make_unique<UciEngine>(), DriverHarness::fake());
    harness.driver().send_options(sample_options(true));
    const Lines first = harness.received();
    EXPECT_NE(std::find(first.begin(), first.end(), "setoption name Clear Hash"), first.end());
    EXPECT_FALSE(harness.driver().get_options().at("Clear Hash").get_changed());
    harness.driver().send_options(harness.driver().get_options());
    EXPECT_EQ(harness.received().size(), first.size() - 1);
}

TEST(BaseEngine, XboardOptionForms)
{
    DriverHarness harness(std::make_unique<XboardEngine>(), DriverHarness::fake("", "", true));
    Options options = sample_options(true);
    const Option memory = option("option name xboard_memory type spin default 128 min 16 max 1024", "256");
    const Option threads = option("option name xboard_threads type spin default 1 min 1 max 64", "2");
    options[memory.get_name()] = memory;
    options[threads.get_name()] = threads;
    harness.driver().send_options(options);
    EXPECT_EQ(harness.received(),
              (Lines{"option Book File", "option Clear Hash", "option Hash=32", "option Mode=True", "option Own Book=1",
                     "option Ponder=0", "option Style=Risky", "memory 256", "cores 2"}));
}

TEST(BaseEngine, EmptyOptionMapSendsNothingAndEmptiesTheStore)
{
    DriverHarness harness(std::make_unique<UciEngine>(), DriverHarness::fake());
    harness.driver().send_options(sample_options(false));
    harness.received();
    harness.driver().send_options({});
    EXPECT_TRUE(harness.received().empty());
    EXPECT_TRUE(harness.driver().get_options().empty());
}

TEST(BaseEngine, SettingsTakeValuesOnlyForOptionsTheEngineHas)
{
    DriverHarness harness(std::make_unique<UciEngine>(), DriverHarness::fake());
    harness.driver().send_options(sample_options(false));
    harness.received();
    EngineVariables edited;
    edited.set_name("Edited");
    edited.set_elo("2100");
    edited.set_option(option("option name Hash type spin default 16 min 1 max 1024", "64"));
    edited.set_option(option("option name Unknown type spin default 1 min 1 max 2", "2"));
    harness.driver().set_enginevariables(edited);
    EXPECT_EQ(harness.received(),
              (Lines{"setoption name Book File", "setoption name Hash value 64", "setoption name Mode value True",
                     "setoption name Own Book value true", "setoption name Ponder value false",
                     "setoption name Style value Risky"}));
    EXPECT_EQ(harness.driver().get_options().count("Unknown"), 0u);
    EXPECT_EQ(harness.driver().get_elo(), "2100");
}

TEST(BaseEngine, AButtonPressedInEditedSettingsIsSent)
{
    DriverHarness harness(std::make_unique<UciEngine>(), DriverHarness::fake());
    harness.driver().send_options(sample_options(false));
    harness.received();
    EngineVariables edited;
    edited.set_option(option("option name Clear Hash type button", "", true));
    harness.driver().set_enginevariables(edited);
    const Lines lines = harness.received();
    EXPECT_NE(std::find(lines.begin(), lines.end(), "setoption name Clear Hash"), lines.end());
    EXPECT_EQ(lines.size(), 7u);
}

TEST(BaseEngine, ForwardsEveryLineInOrderAndQuitLast)
{
    DriverHarness harness(std::make_unique<UciEngine>(), DriverHarness::fake());
    for (int index = 1; index <= 3; ++index)
        harness.engine_says("id name " + std::to_string(index));
    EXPECT_EQ(harness.next_forwarded(std::chrono::seconds(5), true), "1 4242 id name 1");
    EXPECT_EQ(harness.next_forwarded(), "id name 2");
    EXPECT_EQ(harness.next_forwarded(), "id name 3");
    harness.quit();
    EXPECT_EQ(harness.next_forwarded(), "quit");
    EXPECT_EQ(harness.next_forwarded(std::chrono::milliseconds(100)), std::nullopt);
}


// A search at a depth is given up when it shows no sign of running: one that
// never reports (hold), or a UCI one that reported and then leaves isready
// unanswered (stall). One that reports and answers isready (steady) is not,
// however long it takes; nor is an xboard search that reported, since no
// probe reaches such an engine before its move.
TEST(BaseEngine, ASearchWithoutAClockIsGivenUpOnlyWhenItShowsNoSignOfRunning)
{
    const std::chrono::milliseconds grace = torvane_test::scaled(std::chrono::milliseconds(600));
    setenv("TORVANE_FAKE_DELAY_MS", std::to_string(3 * grace.count()).c_str(), 1);
    const struct {
        std::string modes;
        bool xboard;
        bool given_up;
    } cases[] = {{"hold", false, true}, {"stall", false, true}, {"steady", false, false},
                 {"hold", true, true},  {"stall", true, false}};
    for (const auto& test : cases) {
        std::unique_ptr<BaseEngine> driver = std::make_unique<UciEngine>();
        if (test.xboard)
            driver = std::make_unique<XboardEngine>();
        DriverHarness harness(std::move(driver), DriverHarness::fake(test.modes, "e2e4", test.xboard));
        BaseEngine& engine = harness.driver();
        engine.set_level(Level("fixed_depth 5"));
        engine.new_game();
        const auto began = std::chrono::steady_clock::now();
        engine.go();
        bool given_up = false;
        while (!given_up && std::chrono::steady_clock::now() - began < 2 * grace) {
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
            given_up = engine.search_unanswered(grace);
        }
        EXPECT_EQ(given_up, test.given_up) << test.modes << (test.xboard ? " xboard" : " uci");
        EXPECT_TRUE(!given_up || std::chrono::steady_clock::now() - began >= grace) << test.modes;
    }
    unsetenv("TORVANE_FAKE_DELAY_MS");
}

}
