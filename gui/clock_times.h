#pragma once

#include <cstdint>
#include <optional>
#include <string>

enum class ClockSide { white, black };

// The arithmetic of a pair of chess clocks, without the stopwatches: each
// side's remaining time in hundredths of a second, its moves in the current
// period, and the whole seconds its display last showed. The caller supplies
// the time each side's stopwatch has run.
class ClockTimes {
public:
    // The longest time the clocks hold or show: 92 hours 35 minutes 55 seconds.
    static constexpr std::int64_t longest_time = 33335500;

    // A new time control: moves per period (0 for one period), the period's time
    // and the increment per move, both in milliseconds. Both sides get the
    // period's time, move counts start at 0, and the next display shows both sides.
    void set_time_control(std::uint32_t moves_per_period, std::uint32_t time_ms, std::uint32_t increment_ms);
    // Credits the side that has just moved: counts the move, adds the increment
    // and, when the move ends a period, the period's time again.
    void credit_move(ClockSide side);
    // Both sides back to the period's time with no moves counted; the next
    // display shows both sides.
    void reset();
    // A side's remaining time, in hundredths of a second, at the moment its stopwatch restarts.
    void set_remaining(ClockSide side, std::int32_t centiseconds);

    std::int32_t remaining(ClockSide side) const;
    std::uint32_t moves(ClockSide side) const;
    std::uint32_t base_time() const { return m_base_time; }

    // The clock_text of a side whose stopwatch has run elapsed_cs, or nothing
    // when the display keeps its text: the whole seconds did not change, or
    // rose by exactly one.
    std::optional<std::string> display(ClockSide side, std::int64_t elapsed_cs);

private:
    struct Side {
        std::int32_t remaining = 0;
        std::uint32_t moves = 0;
        std::optional<std::int64_t> shown_seconds;
    };

    Side& side(ClockSide which) { return which == ClockSide::white ? m_white : m_black; }
    const Side& side(ClockSide which) const { return which == ClockSide::white ? m_white : m_black; }

    Side m_white;
    Side m_black;
    std::uint32_t m_moves_per_period = 0;
    std::uint32_t m_base_time = 0;
    std::uint32_t m_increment_ms = 0;
};

// Whole seconds as minutes, a colon and two-digit seconds: "0:08", "12:05",
// and a minus sign before the whole below zero ("-0:01", "-1:05").
std::string clock_text(std::int64_t seconds);
