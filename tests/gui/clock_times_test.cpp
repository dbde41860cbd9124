#include "engines/level.h"
#include "gui/clock_times.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>

namespace {

ClockTimes clocks_for(const std::string& time_control)
{
    const Level level(time_control);
    ClockTimes times;
    times.set_time_control(level.get_moves(), level.get_time(), level.get_increment());
    return times;
}

TEST(ClockTimesTest, DefaultTimeControlGivesTenSecondsForFortyMoves)
{
    ClockTimes times = clocks_for("sessions 40 0:10 0.1");
    EXPECT_EQ(times.base_time(), 1000u);
    EXPECT_EQ(times.remaining(ClockSide::white), 1000);
    EXPECT_EQ(times.remaining(ClockSide::black), 1000);
    EXPECT_EQ(times.display(ClockSide::white, 0), std::optional<std::string>("0:10"));
    EXPECT_EQ(times.display(ClockSide::black, 0), std::optional<std::string>("0:10"));
}

TEST(ClockTimesTest, DisplayWritesMinutesAndTwoDigitSeconds)
{
    struct Case {
        const char* time_control;
        std::int64_t elapsed_cs;
        const char* text;
    };
    for (const Case& c : {Case{"sudden_death 0 5 0", 0, "5:00"}, Case{"sudden_death 0 5 0", 1, "4:59"},
                          Case{"sudden_death 0 5 0", 100, "4:59"}, Case{"sudden_death 0 5 0", 101, "4:58"},
                          Case{"sudden_death 0 12:5 0", 0, "12:05"}, Case{"sudden_death 0 90 0", 0, "90:00"},
                          Case{"sudden_death 0 0:10 0", 150, "0:08"}, Case{"sudden_death 0 0:10 0", 1050, "0:00"},
                          Case{"sudden_death 0 0:10 0", 1150, "-0:01"}, Case{"sudden_death 0 0 0", 6500, "-1:05"},
                          Case{"sudden_death 0 0 0", 72000, "-12:00"}}) {
        ClockTimes times = clocks_for(c.time_control);
        EXPECT_EQ(times.display(ClockSide::white, c.elapsed_cs), std::optional<std::string>(c.text))
            << c.time_control << " after " << c.elapsed_cs;
    }
}

TEST(ClockTimesTest, SessionTimesBeyondTheLongestAreCut)
{
    ClockTimes times;
    times.set_time_control(0, 400000000, 0);
    EXPECT_EQ(times.base_time(), 33335500u);
    EXPECT_EQ(times.display(ClockSide::black, 0), std::optional<std::string>("5555:55"));
    times.set_time_control(0, 333354990, 0);
    EXPECT_EQ(times.base_time(), 33335499u);
}

TEST(ClockTimesTest, TheMoverGetsItsIncrementsAndAfterItsLastMoveANewPeriod)
{
    struct Case {
        std::uint32_t moves;  // of a session, 0 for sudden death
        std::uint32_t time_ms;
        std::uint32_t increment_ms;
        ClockSide mover;
        int credited;
        std::int64_t remaining;   // the mover's, in centiseconds
        std::uint32_t moves_made;  // in the mover's current period
        std::int64_t other;        // the other side's, untouched
    };
    const ClockSide white = ClockSide::white;
    const ClockSide black = ClockSide::black;
    for (const Case& c : {Case{40, 10000, 100, black, 39, 1000 + 39 * 10, 39, 1000},
                          Case{40, 10000, 100, black, 40, 1000 + 40 * 10 + 1000, 0, 1000},
                          Case{0, 300000, 3000, white, 100, 30000 + 100 * 300, 100, 30000},  // no period in sudden death
                          Case{0, 60000, 300, white, 3, 6000 + 3 * 30, 3, 6000},             // fractions are kept
                          // never past the longest time
                          Case{1, 400000000, 0, white, 200, ClockTimes::longest_time, 0, ClockTimes::longest_time}}) {
        ClockTimes times;
        times.set_time_control(c.moves, c.time_ms, c.increment_ms);
        for (int move = 0; move < c.credited; ++move)
            times.credit_move(c.mover);
        EXPECT_EQ(times.remaining(c.mover), c.remaining) << c.time_ms << " after " << c.credited;
        EXPECT_EQ(times.moves(c.mover), c.moves_made) << c.time_ms << " after " << c.credited;
        EXPECT_EQ(times.remaining(c.mover == white ? black : white), c.other) << c.time_ms;
    }
}

TEST(ClockTimesTest, ASetTimeIsShownAtTheNextDisplay)
{
    ClockTimes times = clocks_for("sessions 40 0:10 0.1");
    times.display(ClockSide::white, 0);
    times.set_remaining(ClockSide::white, 12345);
    EXPECT_EQ(times.display(ClockSide::white, 0), std::optional<std::string>("2:03"));
    EXPECT_EQ(times.display(ClockSide::white, 40), std::nullopt);
    EXPECT_EQ(times.display(ClockSide::white, 46), std::optional<std::string>("2:02"));
}

TEST(ClockTimesTest, ARiseOfOneSecondWaitsARiseOfTwoShowsAtOnce)
{
    ClockTimes times = clocks_for("sessions 40 0:10 0.1");
    EXPECT_EQ(times.display(ClockSide::white, 0), std::optional<std::string>("0:10"));
    times.set_remaining(ClockSide::white, 1100);
    EXPECT_EQ(times.display(ClockSide::white, 0), std::nullopt);
    EXPECT_EQ(times.display(ClockSide::white, 100), std::nullopt);
    EXPECT_EQ(times.display(ClockSide::white, 150), std::optional<std::string>("0:09"));
    times.set_remaining(ClockSide::white, 1150);
    EXPECT_EQ(times.display(ClockSide::white, 0), std::optional<std::string>("0:11"));
}

TEST(ClockTimesTest, ANewTimeControlOrResetIsAlwaysShown)
{
    ClockTimes times = clocks_for("sessions 40 0:10 0.1");
    EXPECT_EQ(times.display(ClockSide::white, 150), std::optional<std::string>("0:08"));
    EXPECT_EQ(times.display(ClockSide::black, 50), std::optional<std::string>("0:09"));
    // Back to ten seconds is a rise of one or two seconds: shown on the stopped clocks.
    times.reset();
    EXPECT_EQ(times.display(ClockSide::white, 0), std::optional<std::string>("0:10"));
    EXPECT_EQ(times.display(ClockSide::black, 0), std::optional<std::string>("0:10"));
    times.display(ClockSide::white, 150);
    times.set_time_control(40, 10000, 100);
    EXPECT_EQ(times.display(ClockSide::white, 0), std::optional<std::string>("0:10"));
    // A first time control of a second or less is shown too.
    ClockTimes fresh;
    fresh.set_time_control(0, 1000, 0);
    EXPECT_EQ(fresh.display(ClockSide::white, 0), std::optional<std::string>("0:01"));
}

}
