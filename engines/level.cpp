#include "engines/level.h"

#include <charconv>
#include <cmath>
#include <sstream>
#include <stdexcept>

namespace {

// Reads a signed decimal integer; 0 when none can be read. The value is kept
// modulo 2^32 like the 32-bit fields it lands in.
std::uint32_t read_count(std::istream& in)
{
    long long value = 0;
    if (!(in >> value)) {
        return 0;
    }
    return static_cast<std::uint32_t>(value);
}

// Minutes, and seconds when the field holds a colon: every character that is
// not a digit separates numbers, so "0:10", "5", "2:30:15" and ":30" all read.
std::uint32_t read_time_field(const std::string& field)
{
    bool has_colon = field.find(':') != std::string::npos;
    std::string digits = field;
    for (char& c : digits) {
        if (c < '0' || c > '9') {
            c = ' ';
        }
    }
    std::istringstream in(digits);
    std::uint32_t minutes = read_count(in);
    std::uint32_t seconds = has_colon ? read_count(in) : 0;
    return (minutes * 60u + seconds) * 1000u;
}

// Seconds as a float turned into the nearest whole milliseconds: a float
// holds "16.3" as 16.2999992, which must still read as 16300 ms. Values that
// no 32-bit count can hold (negative, NaN, huge) give 0.
std::uint32_t increment_ms(float seconds)
{
    double ms = std::round(static_cast<double>(seconds) * 1000.0);
    if (!(ms >= 0.0) || ms >= 4294967296.0) {
        return 0;
    }
    return static_cast<std::uint32_t>(ms);
}

// The increment in seconds with the fewest significant digits (at least two)
// that the reader turns back into the same milliseconds; nine digits give back
// the float itself. The text goes to engines, files and tags, so it is written
// with to_chars, which, unlike the printf family, ignores LC_NUMERIC and
// always writes a point.
std::string increment_text(std::uint32_t increment)
{
    float seconds = static_cast<float>(static_cast<std::int32_t>(increment) / 1000.0);
    std::string text;
    for (int digits = 2; digits <= 9; ++digits) {
        char written[32];
        const auto end = std::to_chars(written, written + sizeof written, static_cast<double>(seconds),
                                       std::chars_format::general, digits).ptr;
        text.assign(written, end);
        std::istringstream in(text);
        float reread = 0.0f;
        in >> reread;
        if (increment_ms(reread) == increment) {
            break;
        }
    }
    return text;
}

}

Level::Level() : Level("sessions 40 0:10 0.1") {}

Level::Level(const std::string& text)
    : m_type(sudden_death), m_depth(0), m_nodes(0), m_movetime(0), m_moves(40), m_time(unlimited_time),
      m_increment(0)
{
    set(text);
}

void Level::set(const std::string& text)
{
    // Everything is read into a copy and taken over only when the text is
    // accepted, so a refused text leaves this level as it was.
    Level read = *this;
    read.m_depth = 0;
    read.m_nodes = 0;
    read.m_movetime = 0;
    read.m_moves = 0;
    read.m_increment = 0;

    std::istringstream in(text);
    std::string keyword;
    if (!(in >> keyword)) {
        throw std::logic_error("Level::set(level_t==??" "?)");
    }
    if (keyword == "fixed_depth") {
        read.m_time = unlimited_time;
        read.m_type = fixed_depth;
        read.m_depth = read_count(in);
    } else if (keyword == "fixed_nodes") {
        read.m_time = unlimited_time;
        read.m_type = fixed_nodes;
        read.m_nodes = read_count(in);
    } else if (keyword == "fixed_movetime") {
        read.m_time = unlimited_time;
        read.m_type = fixed_movetime;
        read.m_movetime = read_count(in);
    } else if (keyword == "sudden_death" || keyword == "sessions") {
        read.m_type = keyword == "sessions" ? sessions : sudden_death;
        read.m_moves = read_count(in);
        std::string time_field;
        in >> time_field;
        float increment = 0.0f;
        if (!(in >> increment)) {
            increment = 0.0f;
        }
        read.m_time = read_time_field(time_field);
        read.m_increment = increment_ms(increment);
    } else {
        throw std::logic_error("Level::set(" + keyword + ")");
    }
    *this = read;
}

std::string Level::time_part() const
{
    std::int32_t s = static_cast<std::int32_t>(m_time) / 1000;
    std::string text = std::to_string(s / 60);
    if (s % 60 != 0) {
        text += ':';
        text += std::to_string(s % 60);
    }
    return text + " " + increment_text(m_increment);
}

std::string Level::to_string() const
{
    switch (m_type) {
    case fixed_depth:
        return "fixed_depth " + std::to_string(static_cast<std::int32_t>(m_depth));
    case fixed_nodes:
        return "fixed_nodes " + std::to_string(static_cast<std::int32_t>(m_nodes));
    case fixed_movetime:
        return "fixed_movetime " + std::to_string(static_cast<std::int32_t>(m_movetime));
    case sudden_death:
        return "sudden_death 0 " + time_part();
    case sessions:
        return "sessions " + std::to_string(static_cast<std::int32_t>(m_moves)) + " " + time_part();
    }
    return "";
}

bool Level::operator==(const Level& other) const
{
    return m_moves == other.m_moves && m_time == other.m_time && m_increment == other.m_increment;
}

bool Level::operator!=(const Level& other) const { return !(*this == other); }

void Level::set_fixed_depth(std::uint32_t depth)
{
    m_type = fixed_depth;
    m_depth = depth;
}

void Level::set_fixed_nodes(std::uint32_t nodes)
{
    m_type = fixed_nodes;
    m_nodes = nodes;
}

void Level::set_fixed_movetime(std::uint32_t ms)
{
    m_type = fixed_movetime;
    m_movetime = ms;
}
