#pragma once

#include "engines/level.h"
#include "engines/timer.h"

#include <cstdint>
#include <mutex>
#include <string>

// One engine's game clock: a budget in milliseconds that grows by the session
// time at each session's end and by the increment after each move, and the
// stopwatch it is built on, which measures the time used. Time left is the
// budget minus the stopwatch's reading. A copy gets a fresh, stopped
// stopwatch; the clock values are guarded so that the thread booking moves
// and the thread reading the time left may use the clock together.
class ChessClock : public Timer {
public:
    ChessClock();
    ChessClock(const ChessClock& other);
    // Copies the clock values; the stopwatch keeps its own state.
    ChessClock& operator=(const ChessClock& other);

    // Takes moves per session, session time and increment from the level;
    // the budget becomes one session's time and the stopwatch is reset.
    void set_time_control(Level level);
    // A new game: full first-session budget, no moves made, stopwatch reset.
    void restart();
    // The engine starts thinking on a move.
    void start();
    // Books a move: stops the stopwatch, adds the session time at a session's
    // end and the increment, and credits the time since the arrival stamp
    // (milliseconds, low 32 bits; 0 for none).
    void move_done(std::uint64_t arrival_stamp);
    // Budget minus the time used, including the running move; may be negative.
    std::int64_t time_left_now();
    // Time spent on the current move, or on the last one once it is booked.
    std::int64_t move_time();
    // Moves until the session's end (unsigned: wraps for sudden death).
    std::uint32_t moves_to_go() const;
    std::uint32_t increment() const;
    // Moves already made in the game; for a session time control they count
    // modulo the session length, so a game that starts after a long opening
    // still reaches its next session's end.
    void set_moves_made(std::uint32_t moves);
    // A new budget; the stopwatch is reset.
    void set_time_left(std::uint32_t ms);
    void stop();
    void set_moves_to_go(std::uint32_t moves);
    std::uint32_t get_moves_made() const;
    // "moves minutes[:ss] increment-seconds", e.g. "40 5:30 2".
    std::string to_string() const;

private:
    std::uint32_t elapsed_ms();

    mutable std::mutex m_fields_mutex;
    std::uint32_t m_move_start;
    std::int32_t m_time_left;
    std::uint32_t m_moves_per_session;
    std::uint32_t m_session_time;
    std::uint32_t m_increment;
    std::uint32_t m_moves_made;
};
