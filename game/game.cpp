#include "game/game.h"

#include "game/pgn_limits.h"
#include "game/utf8.h"

#include <algorithm>
#include <sstream>
#include <stdexcept>

namespace {

struct DefaultTag {
    const char* name;
    const char* value;
};

constexpr DefaultTag seven_tag_roster[] = {
    {"Event", "?"}, {"Site", "?"}, {"Date", "????.??.??"}, {"Round", "1"},
    {"White", "?"}, {"Black", "?"}, {"Result", "*"},
};

// A tag value as it may stand between the quotes of a tag pair. The tokenizer
// ends a value at a quote without a backslash before it and keeps "\"" whole,
// so a bare quote gets its backslash and everything else stays as it is.
// A final backslash would escape the closing quote and swallow the rest of
// the file; a blank after it keeps the file readable.
std::string quoted_tag_value(const std::string& value)
{
    std::string text;
    text.reserve(value.size() + 2);
    char previous = '\0';
    for (char c : value) {
        if (c == '"' && previous != '\\')
            text += '\\';
        text += c;
        previous = c;
    }
    if (previous == '\\')
        text += ' ';
    return text;
}

}

Game::Game()
{
    reset_to_start();
}

Game::Game(const std::string& pgn_text)
{
    parse_pgn(pgn_text);
}

void Game::reset_to_start()
{
    set_default_tags();
    m_start_fen = standard_start_fen;
    m_start_colour = 1;
    m_start_move_number = 1;
}

void Game::set_default_tags()
{
    m_tags.clear();
    m_tag_order.clear();
    for (const auto& tag : seven_tag_roster)
        set_tag(tag.name, tag.value);
}

void Game::set_tag(const std::string& name, const std::string& value)
{
    if (m_tags.find(name) == m_tags.end())
        m_tag_order.push_back(name);
    m_tags[name] = value;
    if (name != "FEN")
        return;
    m_start_fen = value;
    std::istringstream fields(value);
    std::string placement, side, castling, en_passant, halfmove;
    fields >> placement >> side >> castling >> en_passant >> halfmove;
    m_start_colour = side == "w" ? 1 : 0;
    // Fewer than six fields keep the move number; a sixth field that is not a
    // number gives 0, as stream extraction leaves it.
    if (fields && !(fields >> std::ws).eof()) {
        int32_t number = 0;
        fields >> number;
        m_start_move_number = number;
    }
}

std::string Game::get_tag(const std::string& name) const
{
    const auto found = m_tags.find(name);
    return found == m_tags.end() ? std::string() : found->second;
}

bool Game::has_tag(const std::string& name) const
{
    return m_tags.find(name) != m_tags.end();
}

void Game::remove_tag(const std::string& name)
{
    // The start position hangs on "FEN": it goes only with a new header.
    if (name == "FEN" || m_tags.erase(name) == 0)
        return;
    m_tag_order.erase(std::find(m_tag_order.begin(), m_tag_order.end(), name));
}

std::string Game::tags_pgn() const
{
    std::string text;
    for (const auto& name : m_tag_order) {
        text += '[';
        text += name;
        text += " \"";
        text += quoted_tag_value(m_tags.at(name));
        text += "\"]\n";
    }
    return text;
}

void Game::set_tags_from_tokens(const std::vector<PgnToken>& tokens)
{
    reset_to_start();
    std::string name;
    for (const auto& token : tokens) {
        switch (token.type) {
        case PgnTokenType::tag_name:
            name = token.text;
            break;
        case PgnTokenType::tag_value:
            set_tag(name, token.text);
            break;
        case PgnTokenType::move_number:
        case PgnTokenType::san_move:
        case PgnTokenType::dot:
        case PgnTokenType::result:
            return;
        default:
            break;
        }
    }
}

void Game::parse_pgn(const std::string& text)
{
    m_tags.clear();
    m_tag_order.clear();
    m_start_fen = standard_start_fen;
    m_start_colour = 1;
    m_start_move_number = 1;
    std::size_t i = 0;
    while (i < text.size()) {
        i = text.find('[', i);
        if (i == std::string::npos)
            return;
        ++i;
        const std::size_t name_end = text.find_first_of(" \"", i);
        const std::string name = text.substr(i, name_end - i);
        i = name_end == std::string::npos ? text.size() : name_end;
        while (i < text.size() && (text[i] == ' ' || text[i] == '"'))
            ++i;
        std::string value;
        while (i < text.size() && text[i] != '"') {
            const std::size_t length = utf8_sequence_length(text, i);
            if (length == 0)
                throw std::logic_error("Game::parse_pgn() tag value: utf-8 error");
            if (value.size() + length > max_tag_value_bytes)
                break;
            value.append(text, i, length);
            i += length;
        }
        if (!name.empty())
            set_tag(name, value);
        i = text.find(']', i);
        if (i == std::string::npos)
            return;
        ++i;
    }
}
