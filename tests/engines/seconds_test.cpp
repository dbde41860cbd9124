#include "engines/seconds.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

TEST(Seconds, IntegerConversionsTruncate)
{
    Seconds s(90.1239);
    EXPECT_EQ(s.nanoseconds(), 90123900000u);
    EXPECT_EQ(s.microseconds(), 90123900u);
    EXPECT_EQ(s.milliseconds(), 90123u);
    EXPECT_EQ(s.centiseconds(), 9012u);
    EXPECT_EQ(s.seconds(), 90u);
    EXPECT_EQ(s.minutes(), 1u);
}

TEST(Seconds, NegativeAndNanConvertToZeroCounts)
{
    EXPECT_EQ(Seconds(-2.5).milliseconds(), 0u);
    EXPECT_EQ(Seconds(std::nan("")).centiseconds(), 0u);
}

TEST(Seconds, ArithmeticLeavesOperandsUnchanged)
{
    Seconds a(1.5);
    Seconds b(0.25);
    EXPECT_EQ((a + b).value(), 1.75);
    EXPECT_EQ((a - b).value(), 1.25);
    EXPECT_EQ((a * b).value(), 0.375);
    EXPECT_EQ(a.value(), 1.5);
    a += b;
    a -= Seconds(1.0);
    a *= Seconds(2.0);
    EXPECT_EQ(a.value(), 1.5);
}

TEST(Seconds, NanIsNeverEqual)
{
    Seconds nan(std::nan(""));
    EXPECT_FALSE(nan == nan);
    EXPECT_TRUE(nan != nan);
    EXPECT_TRUE(Seconds(2.0) == Seconds(2.0));
    EXPECT_FALSE(Seconds(2.0) != Seconds(2.0));
}

TEST(Seconds, FromUnits)
{
    Seconds s;
    s.from_ns(1500000000);
    EXPECT_EQ(s.value(), 1.5);
    s.from_ms(250);
    EXPECT_EQ(s.value(), 0.25);
    s.from_cs(7);
    EXPECT_EQ(s.milliseconds(), 70u);
    s.from_minutes(3);
    EXPECT_EQ(s.value(), 180.0);
}

TEST(Seconds, FromFloatSecondsKeepsWholeMilliseconds)
{
    Seconds s;
    s.from_float_seconds(0.1f);
    EXPECT_EQ(s.milliseconds(), 100u);
    EXPECT_DOUBLE_EQ(s.value(), 0.1);
    s.from_float_seconds(0.0019f);
    EXPECT_DOUBLE_EQ(s.value(), 0.001);
}

}
