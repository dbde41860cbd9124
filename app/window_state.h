#pragma once

#include "app/window_mode.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

// What the main window must know of the manager and of its own mode changes
// beyond what its widgets show: whether the manager has caught up with the
// window's last change of position (and so which of its lines are stale),
// whether a tournament game runs or is being stopped, whether the manager
// holds a book, whether the manager's engines were last told to stop, and a
// mode change being undone. The window tells it every command it sends to
// the manager and the manager's answers that bear on these. Which mode is
// ticked is the menu's radios' to say.
class WindowState {
public:
    // A command the window is about to send to the manager (without the
    // "0 "). A command that changes the position or the play the manager
    // works on makes the manager's lines already on their way stale: the
    // result is then the number to send with "ping" just before the command,
    // so that the manager's "pong" parts its old lines from its answers to the
    // command. "start_tournament" starts a tournament run and "human_human"
    // stops it.
    std::optional<std::uint64_t> command_sent(const std::string& command);
    // The manager's "pong" with its number.
    void manager_answered(std::uint64_t number);
    // Whether the manager has handled the window's last change of position.
    bool takes_manager_moves() const;
    // Called for each manager's line as it arrives (its whole text): the
    // lines to apply now, in order. A line that belongs to the game the
    // manager played before the window's last change of position is dropped
    // (none). Lines the user must see and the manager's own state (its
    // engines, the end of a tournament) are always applied. While the stop of
    // a tournament is unanswered, the lines of the tournament game on the
    // board are held: its result brings them all, the result last, as the
    // manager scored the game with them; the stop's pong, a line of the
    // manager's next game or a record the window starts drops them.
    std::vector<std::string> admit(const std::string& line);
    // Whether lines of the stopped tournament's game are held.
    bool holds_lines() const;
    // The tournament game that a stop left on the board is gone from it (the
    // window started a fresh record or loaded a game): none of its lines are
    // applied any more.
    void forget_stopped_game();
    // Called for each "diagram" the window takes: whether it is the answer to
    // the engine load sent last, which leaves the window's game as it is. A
    // load has one answer; the next change of position or tournament start
    // ends the wait for one that never came (a load that failed).
    bool takes_diagram_as_load_answer();

    // The manager's "tournament_finished": no tournament game runs any more.
    void tournament_finished();
    // Whether a tournament game is being played: leaving the Tournament mode
    // then needs the user's yes, and what would disturb the game stays greyed.
    bool tournament_running() const;
    // Whether the stop of a running tournament ("human_human") has been sent
    // and the manager has not yet answered it: a result may still come for
    // the tournament game on the board.
    bool stopping_tournament() const;

    // Whether a Polyglot book has been handed to the manager ("polyglotbook"
    // with a path): Learn Opening needs one.
    bool has_book() const;

    // Whether the last command that decides what the manager's engines do
    // was "human_human" (leaving a tournament game, say): sending it again
    // would stop nothing. Only "level", "ping" and "wake_up" may have
    // followed it.
    bool engines_stopped() const;

    // A mode change that is being undone (a declined stop of the tournament,
    // a finished tournament, Learn Opening without a book): until
    // release_mode_changes the Mode handlers do nothing, and held_mode is the
    // mode to go back to.
    void hold_mode_changes(WindowMode back_to);
    WindowMode held_mode() const;
    void release_mode_changes();
    bool mode_changes_held() const;

private:
    friend class InterfaceProbe;  // the window tests wait for a load's answer

    std::uint64_t m_pings_sent = 0;
    std::uint64_t m_pongs_received = 0;
    bool m_expecting_load_diagram = false;
    bool m_tournament_running = false;
    // The ping sent with the stop of the tournament, while it is unanswered.
    std::optional<std::uint64_t> m_stop_ping;
    // Meanwhile, whether the game it stopped is on the board, and its lines
    // held until its result.
    bool m_stopped_game_shown = false;
    std::vector<std::string> m_held_lines;
    bool m_book = false;
    bool m_engines_stopped = false;
    bool m_held = false;
    WindowMode m_held_mode = WindowMode::human_human;
};
