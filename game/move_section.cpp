#include "game/move_section.h"

#include "game/move_number.h"
#include "game/movetext_wrap.h"

#include <charconv>
#include <iomanip>
#include <sstream>
#include <stdexcept>

namespace {

// Where reading stands inside one line of play: the id the line branches from
// and the last entry read on it.
struct Line {
    std::int32_t parent;
    std::int32_t prev;
};

std::string shortened_comment(const std::string& comment)
{
    if (comment.size() <= 20)
        return comment;
    return comment.substr(0, 10) + " ... " + comment.substr(comment.size() - 10);
}

}

MoveSection::MoveSection()
{
    clear();
}

void MoveSection::clear()
{
    m_entries.clear();
    MoveSectionEntry start;
    start.set_type(MoveSectionEntryType::start_game);
    start.set_colour(colour_none);
    m_entries.push_back(start);
    m_start_colour = colour_white;
    m_start_number = 1;
}

// The number of a move-number token; a number beyond 32 bits is refused with
// the place where it stands.
std::int32_t MoveSection::move_number_of(const std::string& digits) const
{
    std::int32_t number = 0;
    const auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), number);
    if (error == std::errc() && end == digits.data() + digits.size())
        return number;
    const MoveSectionEntry* last_move = nullptr;
    for (auto entry = m_entries.rbegin(); entry != m_entries.rend() && !last_move; ++entry)
        if (entry->type() == MoveSectionEntryType::move)
            last_move = &*entry;
    std::string place = "before the first move";
    if (last_move)
        place = "after " + std::to_string(last_move->number()) + (last_move->colour() == colour_white ? "." : "...") +
                last_move->san();
    const std::string shown = digits.size() > 24 ? digits.substr(0, 24) + "..." : digits;
    throw std::logic_error("MoveSection::load   move number " + shown + " too large, " + place);
}

std::int32_t MoveSection::colour_below(std::int32_t parent) const
{
    if (parent == 0)
        return m_start_colour;
    return m_entries[static_cast<std::size_t>(parent)].colour() == colour_white ? colour_black : colour_white;
}

// Appends a move entry after prev and returns its id. A move right after "("
// is an alternative to prev, so it hangs from prev's parent.
std::int32_t MoveSection::add_move(std::int32_t prev)
{
    const MoveSectionEntry& last = m_entries.back();
    std::int32_t parent = prev;
    if (last.type() == MoveSectionEntryType::start_game || prev < 0)
        parent = 0;
    else if (last.type() == MoveSectionEntryType::variation_start)
        parent = m_entries[static_cast<std::size_t>(prev)].pid();
    MoveSectionEntry entry;
    entry.set_id(static_cast<std::int32_t>(m_entries.size()));
    entry.set_pid(parent);
    entry.set_colour(colour_below(parent));
    m_entries.push_back(entry);
    return entry.id();
}

void MoveSection::add_bracket(MoveSectionEntryType type, std::int32_t parent)
{
    MoveSectionEntry bracket;
    bracket.set_type(type);
    bracket.set_id(static_cast<std::int32_t>(m_entries.size()));
    bracket.set_pid(parent);
    bracket.set_colour(colour_none);
    m_entries.push_back(bracket);
}

void MoveSection::load(const std::vector<PgnToken>& tokens, std::size_t& index, std::int32_t parent)
{
    // Variations are read with an explicit stack so that deep nesting in a
    // damaged file cannot exhaust the call stack.
    if (parent >= static_cast<std::int32_t>(m_entries.size()))
        parent = -1;
    std::vector<Line> lines{{parent, parent}};
    for (; index < tokens.size(); ++index) {
        const PgnToken& token = tokens[index];
        Line& line = lines.back();
        switch (token.type) {
        case PgnTokenType::move_number: {
            const std::int32_t number = move_number_of(token.text);
            line.prev = add_move(line.prev);
            m_entries.back().set_number(number);
            break;
        }
        case PgnTokenType::san_move: {
            MoveSectionEntry& last = m_entries.back();
            if (last.type() == MoveSectionEntryType::move && last.san().empty()) {
                last.set_san(token.text);
                break;
            }
            const bool after_start = last.type() == MoveSectionEntryType::start_game;
            const std::int32_t number =
                after_start || line.prev < 0 ? m_start_number : m_entries[static_cast<std::size_t>(line.prev)].number();
            line.prev = add_move(line.prev);
            m_entries.back().set_san(token.text);
            m_entries.back().set_number(number);
            break;
        }
        case PgnTokenType::nag:
            m_entries.back().set_nag(token.text);
            break;
        case PgnTokenType::comment_text: {
            // A second comment on one entry joins the first: nothing written is lost.
            std::string& comment = m_entries.back().comment();
            if (!comment.empty() && !token.text.empty())
                comment += ' ';
            comment += token.text;
            break;
        }
        case PgnTokenType::variation_open: {
            if (m_entries.size() == 1)
                throw std::logic_error("MoveSection::load invalid subvariation");
            add_bracket(MoveSectionEntryType::variation_start, line.prev);
            lines.push_back({line.prev, line.prev});
            break;
        }
        case PgnTokenType::variation_close: {
            // A ")" that closes no variation is a stray bracket: passing over it
            // keeps the moves read before and after it.
            if (lines.size() == 1)
                break;
            add_bracket(MoveSectionEntryType::variation_end, line.parent);
            lines.pop_back();
            break;
        }
        case PgnTokenType::result: {
            const bool no_move = m_entries.back().type() == MoveSectionEntryType::start_game;
            if (no_move || token.text != "*") {
                MoveSectionEntry end;
                end.set_id(static_cast<std::int32_t>(m_entries.size()));
                // The result ends the game, wherever it stands: it follows the
                // last move of the main line.
                const std::int32_t last_main_move = lines.front().prev;
                end.set_pid(no_move || last_main_move < 0 ? 0 : last_main_move);
                end.set_colour(colour_none);
                end.set_result(token.text);
                m_entries.push_back(end);
            }
            link_and_number();
            return;
        }
        default:
            break;
        }
    }
    link_and_number();
}

void MoveSection::link_and_number()
{
    for (MoveSectionEntry& entry : m_entries)
        entry.clear_children();
    for (std::size_t i = 1; i < m_entries.size(); ++i) {
        const MoveSectionEntry& entry = m_entries[i];
        if (entry.type() == MoveSectionEntryType::move || entry.type() == MoveSectionEntryType::end_game)
            m_entries[static_cast<std::size_t>(entry.pid())].add_child(entry.id());
    }
    m_entries[0].set_number(m_start_number);
    for (std::size_t i = 1; i < m_entries.size(); ++i) {
        MoveSectionEntry& entry = m_entries[i];
        if (entry.colour() == colour_none)
            continue;
        const MoveSectionEntry& parent = m_entries[static_cast<std::size_t>(entry.pid())];
        if (entry.colour() == colour_black)
            entry.set_number(parent.number());
        else if (entry.pid() != 0)
            entry.set_number(next_move_number(parent.number()));
    }
}

std::string MoveSection::pgn() const
{
    std::string text;
    if (!m_entries[0].comment().empty())
        text += "{" + m_entries[0].comment() + "}\n";
    for (std::size_t i = 1; i < m_entries.size(); ++i) {
        const MoveSectionEntry& entry = m_entries[i];
        const MoveSectionEntry& before = m_entries[i - 1];
        const bool blank = i != 1 && before.type() != MoveSectionEntryType::variation_start;
        if (entry.colour() == colour_white) {
            if (blank)
                text += ' ';
            text += std::to_string(entry.number()) + ".";
        } else if (entry.colour() == colour_black) {
            if (blank)
                text += ' ';
            if (!before.comment().empty() || before.type() != MoveSectionEntryType::move)
                text += std::to_string(entry.number()) + "...";
        }
        text += entry.pgn();
    }
    return wrap_movetext(text) + "\n";
}

std::string MoveSection::dump() const
{
    std::ostringstream out;
    for (std::size_t i = 0; i < m_entries.size(); ++i) {
        const MoveSectionEntry& entry = m_entries[i];
        if (entry.id() != static_cast<std::int32_t>(i)) {
            out << "ERROR  idx!=id()\n";
            break;
        }
        out << "id " << std::setw(3) << entry.id() << "  pid " << std::setw(3) << entry.pid() << "  "
            << entry.dump_type() << "  ";
        if (entry.colour() == colour_white)
            out << "W  ";
        else if (entry.colour() == colour_black)
            out << "B  ";
        if (entry.number() > 0)
            out << entry.number() << ".";
        out << entry.san() << '\t';
        const bool has_parent = entry.pid() >= 0 && static_cast<std::size_t>(entry.pid()) < m_entries.size();
        if (entry.id() > 1 && has_parent && entry.colour() == m_entries[static_cast<std::size_t>(entry.pid())].colour()) {
            out << "ERROR  wrong color\ndump() stopped.\n";
            break;
        }
        out << std::setw(4) << entry.nag() << "  ";
        if (!entry.comment().empty())
            out << "{" << shortened_comment(entry.comment()) << "}";
        out << entry.dump_children() << '\n';
    }
    return out.str();
}
