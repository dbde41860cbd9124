#include "game/gui_book.h"

#include "core/chess_position.h"
#include "game/chess_game.h"

#include <exception>
#include <fstream>
#include <iostream>
#include <sstream>

namespace {

bool ends_with(const std::string& text, const std::string& end)
{
    return text.size() >= end.size() && text.compare(text.size() - end.size(), end.size(), end) == 0;
}

// Drops the CR of a CR LF line end; true when the line holds more than blanks,
// that is when it is an entry of an EPD suite.
bool strip_cr_and_check_entry(std::string& line)
{
    while (!line.empty() && line.back() == '\r')
        line.pop_back();
    return line.find_first_not_of(" \t") != std::string::npos;
}

// A position needs all four EPD fields: placement, side, castling, en passant.
bool has_four_fields(const std::string& line)
{
    std::istringstream words(line);
    std::string word;
    int fields = 0;
    while (fields < 4 && words >> word)
        ++fields;
    return fields == 4;
}

}

GuiBook::GuiBook() : m_random(std::random_device{}())
{
}

GuiBook::Format GuiBook::format() const
{
    if (m_filename.size() <= 4)
        return Format::none;
    if (ends_with(m_filename, ".pgn"))
        return Format::pgn;
    if (ends_with(m_filename, ".epd"))
        return Format::epd;
    return Format::none;
}

void GuiBook::load(const std::string& name)
{
    if (name.size() <= 4)
        return;
    m_filename = name;
    m_count = 0;
    switch (format()) {
    case Format::pgn:
        // Closed first, so that a failed open is not taken for the previous suite.
        m_pgn_file.close();
        m_pgn_file.open(m_filename);
        if (!m_pgn_file.is_open()) {
            std::cerr << "\nbook " << m_filename << " error\n";
            m_filename.clear();
            return;
        }
        m_count = count_pgn_games();
        break;
    case Format::epd:
        m_count = count_epd_lines();
        break;
    case Format::none:
        m_filename.clear();
        break;
    }
}

int GuiBook::count_pgn_games()
{
    int games = 0;
    for (m_game_text = m_pgn_file.first_game(); !m_game_text.empty(); m_game_text = m_pgn_file.next_game())
        ++games;
    return games;
}

int GuiBook::count_epd_lines() const
{
    std::ifstream file(m_filename);
    if (!file) {
        std::cerr << "\nbook " << m_filename << " error\n";
        return 0;
    }
    int lines = 0;
    for (std::string line; std::getline(file, line);)
        lines += strip_cr_and_check_entry(line);
    return lines;
}

void GuiBook::setup(ChessPosition& position, int n)
{
    set_up_entry(position, n);
}

void GuiBook::setup_random(ChessPosition& position)
{
    if (m_count < 1) {
        setup(position, 1);
        return;
    }
    std::uniform_int_distribution<int> draw(0, m_count - 1);
    setup(position, draw(m_random) + 1);
}

void GuiBook::setup_again(ChessPosition& position)
{
    setup(position, m_current);
}

void GuiBook::setup_first(ChessPosition& position)
{
    if (!set_up_entry(position, 1))
        m_current = 0;
}

void GuiBook::setup_next(ChessPosition& position)
{
    setup(position, m_current < m_count ? m_current + 1 : 1);
}

bool GuiBook::set_up_entry(ChessPosition& position, int n)
{
    m_current = n < 1 ? 1 : n;
    position.set_start_position();
    switch (format()) {
    case Format::pgn:
        return set_up_pgn_entry(position, m_current);
    case Format::epd:
        return set_up_epd_entry(position, m_current);
    case Format::none:
        break;
    }
    return false;
}

std::optional<std::string> GuiBook::epd_line(int n) const
{
    std::ifstream file(m_filename);
    std::optional<std::string> found;
    int lines = 0;
    for (std::string line; lines < n && std::getline(file, line);) {
        if (strip_cr_and_check_entry(line)) {
            found = line;
            ++lines;
        }
    }
    return found;
}

bool GuiBook::set_up_epd_entry(ChessPosition& position, int n)
{
    const std::optional<std::string> line = epd_line(n);
    if (!line)
        return false;
    if (!has_four_fields(*line))
        return true;
    try {
        position.set_fen(epd_to_fen(*line));
    } catch (const std::exception&) {
        // A line that is no position leaves the standard start position.
        position.set_start_position();
    }
    return true;
}

bool GuiBook::set_up_pgn_entry(ChessPosition& position, int n)
{
    m_game_text = m_pgn_file.first_game();
    for (int game = 2; game <= n && !m_game_text.empty(); ++game) {
        m_game_text = m_pgn_file.next_game();
        if (m_game_text.empty()) {
            // Past the last game: the first one.
            m_game_text = m_pgn_file.first_game();
            break;
        }
    }
    if (m_game_text.empty())
        return false;

    try {
        ChessGame game(m_game_text);
        const std::string start_fen = game.goto_start();
        if (start_fen.empty())
            return true;
        // A game with a "FEN" tag starts from its own position.
        position.set_fen(start_fen);
        while (!game.forward().empty())
            position.make_move(game.last_move());
    } catch (const std::exception& error) {
        // A suite game that can't be replayed gives no opening rather than ending the caller.
        // The line says which entry failed; the cause follows on a line of its own.
        std::cerr << "GuiBook::setup()   error  nbr=" << m_current << '\n' << error.what() << '\n';
        position.set_start_position();
    }
    return true;
}

std::string GuiBook::epd_to_fen(const std::string& line)
{
    std::istringstream words(line);
    std::string placement, side, castling, en_passant;
    words >> placement >> side >> castling >> en_passant;
    return placement + ' ' + side + ' ' + castling + ' ' + en_passant + " 0 1";
}
