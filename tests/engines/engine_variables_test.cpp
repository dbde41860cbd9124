#include "engines/engine_variables.h"
#include "tests/support/scoped_locale.h"
#include "tests/support/test_time.h"

#include <gtest/gtest.h>

#include <chrono>
#include <thread>
#include <ostream>

namespace {

TEST(EngineVariables, NewRecord)
{
    EngineVariables ev;
    EXPECT_EQ(ev.get_idname(), "NoNameYet");
    EXPECT_EQ(ev.get_name(), "");
    EXPECT_EQ(ev.get_state(), engine_idle);
    EXPECT_TRUE(ev.is_white());
    EXPECT_FALSE(ev.is_uci());
    EXPECT_EQ(ev.get_protocol(), 0);
    EXPECT_TRUE(ev.features().time);
    EXPECT_TRUE(ev.features().reuse);
    EXPECT_FALSE(ev.features().ping);
    EXPECT_FALSE(ev.features().san);
    EXPECT_EQ(ev.get_moves_to_go(), 40u);
    EXPECT_EQ(ev.get_time_left(), 10000);
    EXPECT_EQ(ev.get_increment(), 100u);
    EXPECT_TRUE(ev.get_options().empty());
    EXPECT_EQ(ev.get_level().to_string(), "sessions 40 0:10 0.1");
    EXPECT_FALSE(ev.ping_pending());
}

TEST(EngineVariables, IdNameFillsAnEmptyNameOnce)
{
    EngineVariables ev;
    ev.set_idname("Alpha");
    EXPECT_EQ(ev.get_idname(), "Alpha");
    EXPECT_EQ(ev.get_name(), "Alpha");
    ev.set_idname("Beta");
    EXPECT_EQ(ev.get_idname(), "Beta");
    EXPECT_EQ(ev.get_name(), "Alpha");
}

TEST(EngineVariables, OptionOfTheSameNameIsReplaced)
{
    EngineVariables ev;
    ev.set_option(Option("option name Hash type spin default 16 min 1 max 1024"));
    ev.set_option(Option("option name Hash type spin default 32 min 1 max 2048"));
    ev.set_option(Option("option name Ponder type check default false"));
    auto options = ev.get_options();
    ASSERT_EQ(options.size(), 2u);
    EXPECT_EQ(options["Hash"].get_default(), "32");
    EXPECT_EQ(options.begin()->first, "Hash") << "byte-wise name order";
    EXPECT_EQ(ev.to_string(),
              "\nname NoNameYet\noption name Hash type spin value 32\noption name Ponder type check value false\n");
}

TEST(EngineVariables, ResetKeepsIdentityButForgetsTheHandshake)
{
    EngineVariables ev;
    ev.set_name("Fish");
    ev.set_idname("Fish 16");
    ev.set_uci(true);
    ev.set_protocol(1);
    ev.set_state(engine_thinking);
    ev.set_level(Level("sudden_death 0 5 3"));
    ev.set_option(Option("option name Hash type spin default 16"));
    EXPECT_TRUE(ev.set_feature("ping", true));
    EXPECT_TRUE(ev.set_feature("reuse", false));
    ev.ping_sent();
    ev.set_opponent_time(5000);
    ev.reset();
    EXPECT_EQ(ev.get_protocol(), 0);
    EXPECT_TRUE(ev.get_options().empty());
    EXPECT_FALSE(ev.features().ping);
    EXPECT_TRUE(ev.features().reuse);
    EXPECT_FALSE(ev.ping_pending());
    EXPECT_EQ(ev.get_opponent_time(), 0u);
    EXPECT_EQ(ev.get_time_left(), 10000) << "the clock is back at the default time control";
    EXPECT_EQ(ev.get_level().to_string(), "sudden_death 0 5 3");
    EXPECT_EQ(ev.get_state(), engine_thinking);
    EXPECT_EQ(ev.get_name(), "Fish");
    EXPECT_EQ(ev.get_idname(), "Fish 16");
    EXPECT_TRUE(ev.is_uci());
}

TEST(EngineVariables, FeaturesByName)
{
    EngineVariables ev;
    for (const char* name : {"ping", "setboard", "san", "usermove", "colors", "nps", "debug", "smp", "memory"}) {
        EXPECT_TRUE(ev.set_feature(name, true)) << name;
    }
    EXPECT_FALSE(ev.set_feature("sigint", true));
    const auto& f = ev.features();
    EXPECT_TRUE(f.ping && f.setboard && f.san && f.usermove && f.colors && f.nps && f.debug && f.smp && f.memory);
}

TEST(EngineVariables, PingsNeverGoBelowZero)
{
    EngineVariables ev;
    EXPECT_EQ(ev.pong_received(), 0);
    ev.ping_sent();
    ev.ping_sent();
    EXPECT_TRUE(ev.ping_pending());
    EXPECT_EQ(ev.pong_received(), 1);
    EXPECT_EQ(ev.pong_received(), 0);
    EXPECT_EQ(ev.pong_received(), 0);
    EXPECT_FALSE(ev.ping_pending());
}

struct HandicapCase {
    const char* handicap;
    const char* level;
    std::int64_t time_left;
    std::uint32_t increment;
    const char* locale = "C";
};

void PrintTo(const HandicapCase& c, std::ostream* out)
{
    *out << "handicap \"" << c.handicap << "\" " << c.level << " in " << c.locale;
}

class EngineVariablesHandicap : public ::testing::TestWithParam<HandicapCase> {};

TEST_P(EngineVariablesHandicap, ScalesTheClockButNotTheLevel)
{
    torvane_test::ScopedLocale locale(GetParam().locale);
    ASSERT_TRUE(locale.active()) << GetParam().locale << " is missing: scripts/setup generates it";
    EngineVariables ev;
    ev.set_handicap(GetParam().handicap);
    ev.set_level(Level(GetParam().level));
    EXPECT_EQ(ev.get_time_left(), GetParam().time_left);
    EXPECT_EQ(ev.get_increment(), GetParam().increment);
    EXPECT_EQ(ev.get_level().to_string(), Level(GetParam().level).to_string());
    EXPECT_EQ(ev.get_moves_to_go(), Level(GetParam().level).get_moves());
}

INSTANTIATE_TEST_SUITE_P(Examples, EngineVariablesHandicap,
                         ::testing::Values(HandicapCase{"25", "sessions 40 5 2", 225000, 1500},
                                           HandicapCase{"50", "sessions 40 5 2", 150000, 1000},
                                           HandicapCase{"0", "sessions 40 5 2", 300000, 2000},
                                           HandicapCase{"100", "sessions 40 5 2", 300000, 2000},
                                           HandicapCase{"150", "sessions 40 5 2", 300000, 2000},
                                           HandicapCase{"", "sessions 40 5 2", 300000, 2000},
                                           HandicapCase{"lots", "sessions 40 5 2", 300000, 2000},
                                           HandicapCase{"-20", "sessions 40 5 2", 300000, 2000},
                                           HandicapCase{"10", "sudden_death 0 1 0.5", 54000, 450},
                                           HandicapCase{"12.5", "sessions 40 5 2", 262500, 1750, "de_DE.UTF-8"}));

TEST(EngineVariables, HandicapFraction)
{
    EngineVariables ev;
    EXPECT_EQ(ev.get_handicap_fraction(), 0.0);
    ev.set_handicap("25");
    EXPECT_DOUBLE_EQ(ev.get_handicap_fraction(), 0.25);
    ev.set_handicap("x");
    EXPECT_EQ(ev.get_handicap_fraction(), 0.0);
}

TEST(EngineVariables, CopyWhileThinkingStartsWithAFullBudget)
{
    EngineVariables ev;
    ev.set_level(Level("sessions 40 1 0"));
    ev.reset_clock();
    ev.start_clock();
    ev.set_state(engine_thinking);
    auto deadline = std::chrono::steady_clock::now() + torvane_test::scaled(std::chrono::seconds(10));
    while (ev.get_time_left() > 59990 && std::chrono::steady_clock::now() < deadline) {
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    EngineVariables copy(ev);
    EXPECT_EQ(copy.get_time_left(), 60000);
    EXPECT_EQ(copy.get_state(), engine_thinking);
    EXPECT_LT(ev.get_time_left(), 60000);

    EngineVariables assigned;
    assigned = ev;
    EXPECT_EQ(assigned.get_time_left(), 60000);
    EXPECT_EQ(assigned.get_level().to_string(), "sessions 40 1 0");
}

TEST(EngineVariables, ClockForwarders)
{
    EngineVariables ev;
    ev.set_level(Level("sessions 40 1 1"));
    ev.set_moves_made(38);
    EXPECT_EQ(ev.get_moves_to_go(), 2u);
    ev.move_done(0);
    ev.move_done(0);
    EXPECT_EQ(ev.get_time_left(), 60000 + 2000 + 60000);
    ev.set_time_left(500);
    EXPECT_EQ(ev.get_time_left(), 500);
    ev.start_clock();
    ev.stop_clock();
    EXPECT_LE(ev.get_move_time(), 50);
}

}
