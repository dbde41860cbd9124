#pragma once

#include <cstdint>

// A duration in seconds held in a double; it may be fractional and, after
// arithmetic, negative. Integer conversions truncate toward zero and are meant
// for non-negative durations.
class Seconds {
public:
    Seconds(const double& seconds = 0.0);
    Seconds(const Seconds& other);
    Seconds& operator=(const Seconds& other);

    Seconds& operator+=(const Seconds& other);
    Seconds& operator-=(const Seconds& other);
    Seconds& operator*=(const Seconds& other);
    Seconds operator+(const Seconds& other) const;
    Seconds operator-(const Seconds& other) const;
    Seconds operator*(const Seconds& other) const;

    // Equal when both values are ordered (neither is NaN) and the same.
    bool operator==(const Seconds& other) const;
    bool operator!=(const Seconds& other) const;

    double value() const { return m_seconds; }

    std::uint64_t nanoseconds() const;
    std::uint64_t microseconds() const;
    std::uint64_t milliseconds() const;
    std::uint64_t centiseconds() const;
    std::uint64_t seconds() const;
    std::uint64_t minutes() const;

    void from_ns(std::int64_t n);
    void from_ms(std::int64_t n);
    void from_cs(std::uint64_t n);
    void from_minutes(std::int64_t n);
    // Keeps whole milliseconds only, cut toward zero.
    void from_float_seconds(float f);

private:
    double m_seconds;
};
