#include "engines/seconds.h"

#include <cmath>
#include <limits>

namespace {

// Truncation toward zero into an unsigned 64-bit count. Negative, NaN and
// too-large values would be undefined as a plain cast; they give 0 or the
// largest count instead.
std::uint64_t truncate_count(double value)
{
    if (!(value > 0.0)) {
        return 0;
    }
    if (value >= 18446744073709551616.0) {
        return std::numeric_limits<std::uint64_t>::max();
    }
    return static_cast<std::uint64_t>(value);
}

}

Seconds::Seconds(const double& seconds) : m_seconds(seconds) {}

Seconds::Seconds(const Seconds& other) : m_seconds(other.m_seconds) {}

Seconds& Seconds::operator=(const Seconds& other)
{
    m_seconds = other.m_seconds;
    return *this;
}

Seconds& Seconds::operator+=(const Seconds& other)
{
    m_seconds += other.m_seconds;
    return *this;
}

Seconds& Seconds::operator-=(const Seconds& other)
{
    m_seconds -= other.m_seconds;
    return *this;
}

Seconds& Seconds::operator*=(const Seconds& other)
{
    m_seconds *= other.m_seconds;
    return *this;
}

Seconds Seconds::operator+(const Seconds& other) const { return Seconds(m_seconds + other.m_seconds); }

Seconds Seconds::operator-(const Seconds& other) const { return Seconds(m_seconds - other.m_seconds); }

Seconds Seconds::operator*(const Seconds& other) const { return Seconds(m_seconds * other.m_seconds); }

bool Seconds::operator==(const Seconds& other) const
{
    return !std::isnan(m_seconds) && !std::isnan(other.m_seconds) && m_seconds == other.m_seconds;
}

bool Seconds::operator!=(const Seconds& other) const { return !(*this == other); }

std::uint64_t Seconds::nanoseconds() const { return truncate_count(m_seconds * 1e9); }

std::uint64_t Seconds::microseconds() const { return truncate_count(m_seconds * 1e6); }

std::uint64_t Seconds::milliseconds() const { return truncate_count(m_seconds * 1000.0); }

std::uint64_t Seconds::centiseconds() const { return truncate_count(m_seconds * 1000.0 / 10.0); }

std::uint64_t Seconds::seconds() const { return truncate_count(m_seconds * 1000.0 / 1000.0); }

std::uint64_t Seconds::minutes() const { return truncate_count(m_seconds * 1000.0 / 60000.0); }

void Seconds::from_ns(std::int64_t n) { m_seconds = static_cast<double>(n) / 1e9; }

void Seconds::from_ms(std::int64_t n) { m_seconds = static_cast<double>(n) / 1000.0; }

void Seconds::from_cs(std::uint64_t n) { m_seconds = (static_cast<double>(n) * 10.0) / 1000.0; }

void Seconds::from_minutes(std::int64_t n) { m_seconds = static_cast<double>(n) * 60.0; }

void Seconds::from_float_seconds(float f) { m_seconds = static_cast<double>(std::trunc(f * 1000.0f)) / 1000.0; }
