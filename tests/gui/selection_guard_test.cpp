#include "gui/selection_guard.h"
#include "tests/support/test_time.h"

#include <gtest/gtest.h>

#include <chrono>
#include <thread>

namespace {

TEST(SelectionGuardTest, TheFirstCallAndCallsWithinATenthOfASecondAreIgnored)
{
    struct Case {
        std::int64_t calls_before, elapsed_ms;
        bool admitted;
    };
    for (const Case& c : {Case{0, 5000, false}, Case{1, 101, true}, Case{1, 100, false}, Case{7, 0, false},
                          Case{7, 250, true}, Case{-1, 500, false}}) {
        EXPECT_EQ(SelectionGuard::admits(c.calls_before, c.elapsed_ms), c.admitted)
            << c.calls_before << " calls, " << c.elapsed_ms << " ms";
    }
}

TEST(SelectionGuardTest, MeasuresFromTheLastCallLetThrough)
{
    using namespace std::chrono_literals;
    SelectionGuard guard;
    EXPECT_FALSE(guard.admit());
    std::this_thread::sleep_for(torvane_test::scaled(110ms));
    EXPECT_TRUE(guard.admit());
    EXPECT_FALSE(guard.admit());
    std::this_thread::sleep_for(torvane_test::scaled(110ms));
    EXPECT_TRUE(guard.admit());
}

}
