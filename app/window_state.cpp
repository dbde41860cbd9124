#include "app/window_state.h"

#include <algorithm>
#include <set>

namespace {

// The manager's lines about the game it plays: stale once the window has
// changed the position, until the manager has caught up.
bool is_game_line(const std::string& word)
{
    static const std::set<std::string> game_words = {
        "move", "emt", "1-0", "0-1", "1/2-1/2", "wtime", "btime", "white_info", "black_info", "new", "diagram",
        "setboard", "set_arrow", "event", "site", "round", "level", "whitename", "blackname",
        "WhiteElo", "BlackElo",
    };
    return game_words.count(word) != 0;
}

}

std::optional<std::uint64_t> WindowState::command_sent(const std::string& command)
{
    const std::string word = command.substr(0, command.find(' '));
    if (word == "start_tournament") {
        m_tournament_running = true;
        m_expecting_load_diagram = false;
    } else if (word == "human_human") {
        if (m_tournament_running) {
            m_stop_ping = m_pings_sent + 1;
            m_stopped_game_shown = true;
        }
        m_tournament_running = false;
    } else if (word == "polyglotbook") {
        m_book = command.size() > word.size() + 1;
    }
    if (word != "level" && word != "ping" && word != "wake_up")
        m_engines_stopped = word == "human_human";
    // "human_human" is among them: the engine's move that crosses it would
    // land on a board that the user now moves for both sides.
    if (word != "setboard" && word != "new" && word != "human_human" && word != "load")
        return std::nullopt;
    m_expecting_load_diagram = word == "load";
    return ++m_pings_sent;
}

void WindowState::manager_answered(std::uint64_t number)
{
    m_pongs_received = std::max(m_pongs_received, std::min(number, m_pings_sent));
    if (m_stop_ping && m_pongs_received >= *m_stop_ping) {
        m_stop_ping.reset();
        forget_stopped_game();
    }
}

bool WindowState::takes_manager_moves() const
{
    return m_pongs_received >= m_pings_sent;
}

std::vector<std::string> WindowState::admit(const std::string& line)
{
    const std::string word = line.substr(0, line.find(' '));
    if (takes_manager_moves() || !is_game_line(word))
        return {line};
    if (!m_stopped_game_shown)
        return {};
    if (word == "new" || word == "diagram") {
        // The manager's next game has begun: the one stopped did not end.
        forget_stopped_game();
        return {};
    }
    m_held_lines.push_back(line);
    if (word != "1-0" && word != "0-1" && word != "1/2-1/2")
        return {};
    std::vector<std::string> game_end;
    game_end.swap(m_held_lines);
    return game_end;
}

bool WindowState::holds_lines() const
{
    return !m_held_lines.empty();
}

void WindowState::forget_stopped_game()
{
    m_stopped_game_shown = false;
    m_held_lines.clear();
}

bool WindowState::takes_diagram_as_load_answer()
{
    const bool answers = m_expecting_load_diagram;
    m_expecting_load_diagram = false;
    return answers;
}

void WindowState::tournament_finished()
{
    m_tournament_running = false;
}

bool WindowState::tournament_running() const
{
    return m_tournament_running;
}

bool WindowState::stopping_tournament() const
{
    return m_stop_ping.has_value();
}

void WindowState::hold_mode_changes(WindowMode back_to)
{
    m_held = true;
    m_held_mode = back_to;
}

bool WindowState::has_book() const
{
    return m_book;
}

WindowMode WindowState::held_mode() const
{
    return m_held_mode;
}

void WindowState::release_mode_changes()
{
    m_held = false;
}

bool WindowState::mode_changes_held() const
{
    return m_held;
}

bool WindowState::engines_stopped() const
{
    return m_engines_stopped;
}
