#pragma once

#include "app/window_mode.h"

#include <cstdint>
#include <optional>
#include <string>

// Whether the main window may change its board, its record and its mode
// right now. The window tells it every command it sends to the manager and
// the manager's answers that bear on it; every handler asks it instead of
// reading the menu's radios and flags of its own.
class WindowState {
public:
    // A command the window has sent to the manager (without the "0 "). A
    // command that changes the position or the play the manager works on
    // makes the manager's moves already on their way stale: the result is
    // then the number to send with "ping", whose "pong" puts the window back
    // in step. "start_tournament" starts a tournament run and "human_human"
    // stops it.
    std::optional<std::uint64_t> command_sent(const std::string& command);
    // The manager's "pong" with its number.
    void manager_answered(std::uint64_t number);
    // Whether a manager's move (and its time) may be applied: false until the
    // manager has handled the window's last change of position.
    bool takes_manager_moves() const;
    // Whether the manager's "diagram" is its answer to an engine load, which
    // leaves the window's game as it is.
    bool diagram_answers_engine_load() const;

    // The manager's "tournament_finished": no tournament game runs any more.
    void tournament_finished();
    // Whether a tournament game is being played: leaving the Tournament mode
    // then needs the user's yes, and what would disturb the game stays greyed.
    bool tournament_running() const;

    // Whether a Polyglot book has been handed to the manager ("polyglotbook"
    // with a path): Learn Opening needs one.
    bool has_book() const;

    // A mode change that is being undone (a declined stop of the tournament,
    // a finished tournament, Learn Opening without a book): until
    // release_mode_changes the Mode handlers do nothing, and held_mode is the
    // mode to go back to.
    void hold_mode_changes(WindowMode back_to);
    WindowMode held_mode() const;
    void release_mode_changes();
    bool mode_changes_held() const;

    // The mode the user or the manager chose last (Human - human at first).
    void mode_chosen(WindowMode mode);
    WindowMode mode() const;

private:
    std::uint64_t m_pings_sent = 0;
    std::uint64_t m_pongs_received = 0;
    std::uint64_t m_engine_load_ping = 0;
    bool m_tournament_running = false;
    bool m_book = false;
    bool m_held = false;
    WindowMode m_held_mode = WindowMode::human_human;
    WindowMode m_mode = WindowMode::human_human;
};
