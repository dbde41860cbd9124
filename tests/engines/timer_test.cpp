#include "engines/timer.h"
#include "tests/support/test_time.h"

#include <gtest/gtest.h>

#include <chrono>
#include <string>
#include <thread>
#include <ostream>

namespace {

using namespace std::chrono_literals;
using torvane_test::scaled;

// Waits until the timer has measured at least the given time; the system clock
// gives no promise about sleeps, so the test looks at the reading itself.
void wait_for_reading(Timer& timer, double seconds)
{
    auto deadline = std::chrono::steady_clock::now() + scaled(10s);
    while (timer.current_run().value() < seconds && std::chrono::steady_clock::now() < deadline) {
        std::this_thread::sleep_for(1ms);
    }
}

TEST(Timer, NewAndResetReadZero)
{
    Timer timer;
    EXPECT_EQ(timer.elapsed().value(), 0.0);
    timer.start();
    wait_for_reading(timer, 0.005);
    timer.reset();
    EXPECT_EQ(timer.elapsed().value(), 0.0);
    EXPECT_EQ(timer.elapsed().value(), 0.0) << "a reset timer is stopped";
}

TEST(Timer, RunsAccumulateAndStoppedReadingStays)
{
    Timer timer;
    timer.start();
    wait_for_reading(timer, 0.02);
    timer.stop();
    double first = timer.elapsed().value();
    EXPECT_GE(first, 0.02);
    timer.stop();
    EXPECT_EQ(timer.elapsed().value(), first) << "stop on a stopped timer changes nothing";
    std::this_thread::sleep_for(scaled(5ms));
    EXPECT_EQ(timer.elapsed().value(), first);
    timer.start();
    wait_for_reading(timer, 0.01);
    timer.stop();
    EXPECT_GE(timer.elapsed().value(), first + 0.01);
}

TEST(Timer, SecondStartDropsTheUnfinishedRun)
{
    Timer timer;
    timer.start();
    wait_for_reading(timer, 0.05);
    const auto before = std::chrono::steady_clock::now();
    timer.start();
    timer.stop();
    const std::chrono::duration<double> between = std::chrono::steady_clock::now() - before;
    // Kept, the unfinished run would add its 0.05 s.
    EXPECT_LE(timer.elapsed().value(), between.count() + 0.001);
}

TEST(Timer, CurrentRunGoesOnAfterStop)
{
    Timer timer;
    timer.start();
    timer.stop();
    double at_stop = timer.current_run().value();
    std::this_thread::sleep_for(scaled(2ms));
    wait_for_reading(timer, at_stop + 0.002);
    EXPECT_GT(timer.current_run().value(), at_stop);
}

TEST(Timer, ElapsedGrowsWhileRunning)
{
    Timer timer;
    timer.start();
    double a = timer.elapsed().value();
    wait_for_reading(timer, a + 0.003);
    EXPECT_GT(timer.elapsed().value(), a);
}

struct StampCase {
    std::uint64_t ms;
    const char* log_stamp;
    const char* arrival_stamp;
};

void PrintTo(const StampCase& c, std::ostream* out) { *out << c.ms << " ms"; }

class TimerStamps : public ::testing::TestWithParam<StampCase> {};

TEST_P(TimerStamps, Texts)
{
    EXPECT_EQ(Timer::log_stamp_of(GetParam().ms), GetParam().log_stamp);
    EXPECT_EQ(Timer::arrival_stamp_of(GetParam().ms), GetParam().arrival_stamp);
}

INSTANTIATE_TEST_SUITE_P(Examples, TimerStamps,
                         ::testing::Values(StampCase{1700000000123ULL, "61696.123", "3487918203"},
                                           StampCase{1700000007005ULL, "61703.005", "3487925085"},
                                           StampCase{65536ULL * 1000 * 7 + 42007, "00042.007", "458794007"},
                                           StampCase{4294967296ULL * 3, "39845.888", "0"}));

TEST(Timer, CurrentStampsHaveTheirShape)
{
    Timer timer;
    std::string log_stamp = timer.timestamp();
    ASSERT_EQ(log_stamp.size(), 9u);
    EXPECT_EQ(log_stamp[5], '.');
    std::string arrival = timer.timestamp_ms();
    ASSERT_FALSE(arrival.empty());
    EXPECT_EQ(arrival.find_first_not_of("0123456789"), std::string::npos);
    std::uint64_t now_ms = timer.now().milliseconds();
    std::uint64_t stamp = std::stoull(arrival);
    EXPECT_LE((now_ms & 0xffffffffULL) - stamp, static_cast<std::uint64_t>(scaled(1000ms).count()));
}

}
