#pragma once

#include "engines/seconds.h"

#include <cstdint>
#include <mutex>
#include <string>

// A stopwatch on the system clock that adds up the time of successive runs.
// Safe to start, stop and read from different threads. Never copied: a class
// holding one builds a fresh, stopped Timer when it is copied.
class Timer {
public:
    Timer();
    Timer(const Timer&) = delete;
    Timer& operator=(const Timer&) = delete;

    // Begins a new run; an unfinished earlier run is dropped, not added.
    void start();
    // Ends the running run and adds it to the total; nothing when stopped.
    void stop();
    // Stops the stopwatch and clears the total.
    void reset();
    // The total, plus the running run while the stopwatch runs.
    Seconds elapsed();
    // Time since the latest start, whether or not the stopwatch still runs.
    Seconds current_run();

    // Seconds since the epoch.
    Seconds now() const;
    // The log time stamp of the current time: "SSSSS.mmm" (9 characters).
    std::string timestamp() const;
    // The arrival stamp of the current time: the low 32 bits of the
    // milliseconds since the epoch, in decimal.
    std::string timestamp_ms() const;

    // The two stamp texts for a given count of milliseconds since the epoch.
    static std::string log_stamp_of(std::uint64_t ms);
    static std::string arrival_stamp_of(std::uint64_t ms);

private:
    static std::int64_t now_ns();
    static std::uint64_t now_ms();

    std::int64_t m_run_start;
    double m_total_ns;
    bool m_stopped;
    std::mutex m_mutex;
};
