#include "engines/chess_clock.h"

#include <cstdio>
#include <string>

namespace {

// Budget arithmetic is 32-bit and wraps rather than overflowing.
std::int32_t add_ms(std::int32_t budget, std::uint32_t ms)
{
    return static_cast<std::int32_t>(static_cast<std::uint32_t>(budget) + ms);
}

}

ChessClock::ChessClock()
    : m_move_start(0), m_time_left(0), m_moves_per_session(0), m_session_time(0), m_increment(0), m_moves_made(0)
{
}

ChessClock::ChessClock(const ChessClock& other) : ChessClock()
{
    *this = other;
}

ChessClock& ChessClock::operator=(const ChessClock& other)
{
    if (this == &other) {
        return *this;
    }
    std::scoped_lock lock(m_fields_mutex, other.m_fields_mutex);
    m_move_start = other.m_move_start;
    m_time_left = other.m_time_left;
    m_moves_per_session = other.m_moves_per_session;
    m_session_time = other.m_session_time;
    m_increment = other.m_increment;
    m_moves_made = other.m_moves_made;
    return *this;
}

std::uint32_t ChessClock::elapsed_ms() { return static_cast<std::uint32_t>(elapsed().milliseconds()); }

void ChessClock::set_time_control(Level level)
{
    std::lock_guard lock(m_fields_mutex);
    m_moves_per_session = level.get_moves();
    m_increment = level.get_increment();
    m_session_time = level.get_time();
    m_moves_made = 0;
    m_time_left = static_cast<std::int32_t>(m_session_time);
    Timer::reset();
}

void ChessClock::restart()
{
    std::lock_guard lock(m_fields_mutex);
    Timer::stop();
    m_time_left = static_cast<std::int32_t>(m_session_time);
    m_moves_made = 0;
    Timer::reset();
    m_move_start = elapsed_ms();
}

void ChessClock::start()
{
    std::lock_guard lock(m_fields_mutex);
    Timer::start();
    m_move_start = elapsed_ms();
}

void ChessClock::move_done(std::uint64_t arrival_stamp)
{
    std::lock_guard lock(m_fields_mutex);
    Timer::stop();
    std::uint32_t made = m_moves_made + 1;
    if (m_moves_per_session != 0 && made >= m_moves_per_session) {
        m_time_left = add_ms(m_time_left, m_session_time);
        made = 0;
    }
    m_time_left = add_ms(m_time_left, m_increment);
    m_moves_made = made;
    if (arrival_stamp != 0) {
        std::uint64_t now = 0;
        try {
            now = std::stoull(timestamp_ms());
        } catch (const std::exception&) {
            now = 0;
        }
        if (arrival_stamp < now) {
            m_time_left = add_ms(m_time_left, static_cast<std::uint32_t>(now - arrival_stamp));
        }
    }
}

std::int64_t ChessClock::time_left_now()
{
    std::int32_t budget;
    {
        std::lock_guard lock(m_fields_mutex);
        budget = m_time_left;
    }
    return static_cast<std::int64_t>(budget) - static_cast<std::int64_t>(elapsed().milliseconds());
}

std::int64_t ChessClock::move_time()
{
    std::uint32_t move_start;
    {
        std::lock_guard lock(m_fields_mutex);
        move_start = m_move_start;
    }
    return static_cast<std::int64_t>(elapsed().milliseconds()) - static_cast<std::int64_t>(move_start);
}

std::uint32_t ChessClock::moves_to_go() const
{
    std::lock_guard lock(m_fields_mutex);
    return m_moves_per_session - m_moves_made;
}

std::uint32_t ChessClock::increment() const
{
    std::lock_guard lock(m_fields_mutex);
    return m_increment;
}

void ChessClock::set_moves_made(std::uint32_t moves)
{
    std::lock_guard lock(m_fields_mutex);
    m_moves_made = m_moves_per_session != 0 ? moves % m_moves_per_session : moves;
}

void ChessClock::set_time_left(std::uint32_t ms)
{
    std::lock_guard lock(m_fields_mutex);
    m_time_left = static_cast<std::int32_t>(ms);
    Timer::reset();
}

void ChessClock::stop() { Timer::stop(); }

void ChessClock::set_moves_to_go(std::uint32_t moves)
{
    std::lock_guard lock(m_fields_mutex);
    m_moves_made = m_moves_per_session - moves;
}

std::uint32_t ChessClock::get_moves_made() const
{
    std::lock_guard lock(m_fields_mutex);
    return m_moves_made;
}

std::string ChessClock::to_string() const
{
    std::lock_guard lock(m_fields_mutex);
    std::uint32_t seconds = m_session_time / 1000;
    std::string text = std::to_string(m_moves_per_session) + " " + std::to_string(seconds / 60);
    if (seconds % 60 != 0) {
        char two_digits[8];
        std::snprintf(two_digits, sizeof two_digits, ":%02u", seconds % 60);
        text += two_digits;
    }
    return text + " " + std::to_string(m_increment / 1000);
}
