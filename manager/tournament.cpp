#include "manager/tournament.h"

#include "game/gui_book.h"

#include <stdexcept>

Tournament::Tournament() : m_random_engine(m_random_source()) {}

bool Tournament::is_valid_event_name(const std::string& event)
{
    return !event.empty() && event.front() != '.' && event.size() <= longest_event_name &&
           event.find_first_of(std::string("/\n\r\0", 4)) == std::string::npos;
}

std::string Tournament::trimmed_name(const std::string& name)
{
    const std::size_t first = name.find_first_not_of(" \t");
    if (first == std::string::npos) {
        return "";
    }
    return name.substr(first, name.find_last_not_of(" \t") - first + 1);
}

void Tournament::check_event_name(const std::string& event)
{
    if (is_valid_event_name(event)) {
        return;
    }
    // Line ends and NUL are shown as escapes so that the message stays one
    // readable line.
    std::string shown;
    for (char c : event) {
        shown += c == '\n' ? "\\n" : c == '\r' ? "\\r" : c == '\0' ? "\\0" : std::string(1, c);
    }
    throw std::logic_error("Tournament: the event name \"" + shown +
                           "\" can't name a file (empty, \"/\", a line end, a leading \".\" or more than " +
                           std::to_string(longest_event_name) + " bytes)");
}

std::uint32_t Tournament::count_openings(const std::string& path)
{
    if (path.empty()) {
        return 0;
    }
    GuiBook book;
    book.load(path);
    return static_cast<std::uint32_t>(book.count());
}

void Tournament::set_level(const std::string& text) { m_level.set(text); }

void Tournament::add_participant(const TournamentParticipant& participant)
{
    m_participants.push_back(participant);
    m_participants.back().set_number(static_cast<std::int32_t>(m_participants.size()));
}

std::vector<std::string> Tournament::get_participant_names() const
{
    std::vector<std::string> names;
    for (const TournamentParticipant& participant : m_participants) {
        names.push_back(participant.get_name());
    }
    return names;
}

void Tournament::add_game(const TournamentGame& game) { m_games.push_back(game); }

std::vector<TournamentGame> Tournament::get_games() const
{
    std::lock_guard lock(m_games_mutex);
    return m_games;
}

void Tournament::set_result(const std::string& result)
{
    std::lock_guard lock(m_games_mutex);
    for (TournamentGame& game : m_games) {
        if (game.is_unplayed()) {
            game.set_result(result);
            return;
        }
    }
}

bool Tournament::is_finished() const
{
    std::lock_guard lock(m_games_mutex);
    for (const TournamentGame& game : m_games) {
        if (game.is_unplayed()) {
            return false;
        }
    }
    return true;
}

TournamentGame Tournament::next_game() const
{
    std::lock_guard lock(m_games_mutex);
    for (const TournamentGame& game : m_games) {
        if (game.is_unplayed()) {
            return game;
        }
    }
    return TournamentGame();
}

std::optional<std::uintmax_t> Tournament::get_pgn_size() const
{
    std::lock_guard lock(m_games_mutex);
    return m_pgn_size;
}

void Tournament::reset_results()
{
    for (TournamentGame& game : m_games) {
        game.set_result("*");
    }
}

void Tournament::clear()
{
    m_participants.clear();
    m_games.clear();
}

void Tournament::reset()
{
    clear();
    m_nbr_games = 0;
    m_type = TournamentType::match;
    m_bothcolors = false;
    m_openingbook.clear();
    m_event = std::string("?");
    m_valid = false;
}
