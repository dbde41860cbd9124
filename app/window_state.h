#pragma once

#include "app/window_mode.h"

#include <cstdint>
#include <optional>
#include <string>

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
    // Called for each manager's line, named by its first word: whether it is
    // to be dropped, as it belongs to the game the manager played before the
    // window's last change of position. Lines the user must see and the
    // manager's own state (its engines, the end of a tournament) are always
    // taken. So is the result of the tournament game on the board that
    // crosses the stop of the tournament: the manager has scored that game,
    // and the lines after it, of the next game, are dropped.
    bool drops_line(const std::string& word);
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
    // A stale line has begun another game since the stop.
    bool m_stale_game_begun = false;
    bool m_book = false;
    bool m_engines_stopped = false;
    bool m_held = false;
    WindowMode m_held_mode = WindowMode::human_human;
};
