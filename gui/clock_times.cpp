#include "gui/clock_times.h"

#include <algorithm>

void ClockTimes::set_time_control(std::uint32_t moves_per_period, std::uint32_t time_ms,
                                  std::uint32_t increment_ms)
{
    m_moves_per_period = moves_per_period;
    m_increment_ms = increment_ms;
    m_base_time = time_ms >= 10 * longest_time ? longest_time : time_ms / 10;
    reset();
}

void ClockTimes::credit_move(ClockSide which)
{
    Side& mover = side(which);
    ++mover.moves;
    // Whole hundredths: a 0.1 s increment adds 10, exactly.
    std::int64_t remaining = std::int64_t{mover.remaining} + m_increment_ms / 10;
    if (mover.moves == m_moves_per_period) {
        mover.moves = 0;
        remaining += m_base_time;
    }
    mover.remaining = static_cast<std::int32_t>(std::min(remaining, longest_time));
}

void ClockTimes::reset()
{
    for (Side* each : {&m_white, &m_black}) {
        each->remaining = static_cast<std::int32_t>(m_base_time);
        each->moves = 0;
        each->shown_seconds.reset();
    }
}

void ClockTimes::set_remaining(ClockSide which, std::int32_t centiseconds)
{
    side(which).remaining = centiseconds;
}

std::int32_t ClockTimes::remaining(ClockSide which) const
{
    return side(which).remaining;
}

std::uint32_t ClockTimes::moves(ClockSide which) const
{
    return side(which).moves;
}

std::optional<std::string> ClockTimes::display(ClockSide which, std::int64_t elapsed_cs)
{
    Side& shown = side(which);
    const std::int64_t left = std::min(shown.remaining - elapsed_cs, longest_time);
    const std::int64_t seconds = left / 100;
    // The display steps down once a second; a one-second rise (a small
    // correction) waits until the clock has run below the value shown.
    if (shown.shown_seconds && *shown.shown_seconds <= seconds && seconds <= *shown.shown_seconds + 1)
        return std::nullopt;
    shown.shown_seconds = seconds;
    return clock_text(seconds);
}

std::string clock_text(std::int64_t seconds)
{
    const std::int64_t magnitude = seconds < 0 ? -seconds : seconds;
    const std::int64_t second_of_minute = magnitude % 60;
    std::string text = seconds < 0 ? "-" : "";
    text += std::to_string(magnitude / 60);
    text += second_of_minute < 10 ? ":0" : ":";
    text += std::to_string(second_of_minute);
    return text;
}
