#include "engines/timer.h"

#include <chrono>
#include <cstdio>

Timer::Timer() : m_run_start(0), m_total_ns(0.0), m_stopped(true) {}

void Timer::start()
{
    std::lock_guard lock(m_mutex);
    m_stopped = false;
    m_run_start = now_ns();
}

void Timer::stop()
{
    std::lock_guard lock(m_mutex);
    if (m_stopped) {
        return;
    }
    m_stopped = true;
    m_total_ns += static_cast<double>(now_ns() - m_run_start);
}

void Timer::reset()
{
    std::lock_guard lock(m_mutex);
    m_stopped = true;
    m_total_ns = 0.0;
}

Seconds Timer::elapsed()
{
    std::lock_guard lock(m_mutex);
    if (m_stopped) {
        return Seconds(m_total_ns / 1e9);
    }
    return Seconds(m_total_ns / 1e9 + static_cast<double>(now_ns() - m_run_start) / 1e9);
}

Seconds Timer::current_run()
{
    std::lock_guard lock(m_mutex);
    return Seconds(static_cast<double>(now_ns() - m_run_start) / 1e9);
}

Seconds Timer::now() const { return Seconds(static_cast<double>(now_ns()) / 1e9); }

std::string Timer::timestamp() const { return log_stamp_of(now_ms()); }

std::string Timer::timestamp_ms() const { return arrival_stamp_of(now_ms()); }

std::string Timer::log_stamp_of(std::uint64_t ms)
{
    char text[32];
    std::snprintf(text, sizeof text, "%05u.%03u", static_cast<unsigned>((ms / 1000) % 65536),
                  static_cast<unsigned>(ms % 1000));
    return text;
}

std::string Timer::arrival_stamp_of(std::uint64_t ms) { return std::to_string(ms & 0xffffffffULL); }

std::int64_t Timer::now_ns()
{
    using namespace std::chrono;
    return duration_cast<nanoseconds>(system_clock::now().time_since_epoch()).count();
}

std::uint64_t Timer::now_ms() { return Seconds(static_cast<double>(now_ns()) / 1e9).milliseconds(); }
