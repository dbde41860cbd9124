#include "gui/spin_range.h"

#include <gtest/gtest.h>

namespace {

Option spin(const std::string& min, const std::string& max, const std::string& value, const std::string& fallback = "")
{
    Option option;
    option.set_type("spin");
    option.set_min(min);
    option.set_max(max);
    option.set_default(fallback);
    option.set_value(value);
    return option;
}

TEST(SpinRangeTest, ReadsLikeStoiAndClampsEverythingIntoTheRange)
{
    constexpr std::int64_t wide = SpinRange::widest;
    struct Case {
        const char *min, *max, *value, *fallback;
        std::int64_t want_min, want_max, want_value;
    };
    for (const Case& c : {
             Case{"1", "1024", "16", "", 1, 1024, 16},
             Case{"1", "10", "20", "", 1, 10, 10},               // above the range
             Case{"0", "20", "-5", "", 0, 20, 0},                // below it
             Case{" -3", "+7", " 5abc", "", -3, 7, 5},           // blanks, signs, trailing junk
             Case{"1", "33554432", "", "16", 1, 33554432, 16},   // empty value: the default
             Case{"1", "100", "many", "x", 1, 100, 1},           // nothing readable: the minimum
             Case{"", "100", "7", "", -wide, 100, 7},            // no minimum
             Case{"5", "max", "7", "", 5, wide, 7},              // no maximum
             Case{"10", "3", "7", "", 10, 10, 10},               // maximum below minimum
             Case{"0", "99999999999999999999", "99999999999999999999", "", 0, wide, wide},
         }) {
        const SpinRange range = SpinRange::of(spin(c.min, c.max, c.value, c.fallback));
        EXPECT_EQ(range.min, c.want_min) << c.min;
        EXPECT_EQ(range.max, c.want_max) << c.max;
        EXPECT_EQ(range.value, c.want_value) << c.value;
    }
    EXPECT_EQ(SpinRange::of(spin("-10", "10", "-4")).value_text(), "-4");
}

}
