#include "game/game_tree.h"

#include "game/movetext_wrap.h"

#include <algorithm>
#include <sstream>

void GameTree::write_move_number(std::string& out, std::uint64_t id) const
{
    const MoveSectionEntry& e = entry(id);
    if (e.type() == MoveSectionEntryType::end_game)
        return;
    if (e.colour() == colour_white) {
        // The game's first move opens the text; every other white move, an
        // alternative to the first one included, is set off by a blank.
        if (m_entries.at(0).child(0) != static_cast<std::int32_t>(id))
            out += ' ';
        out += std::to_string(e.number());
        out += '.';
    } else if (e.colour() == colour_black) {
        out += ' ';
        const auto parent = m_entries.find(static_cast<std::uint64_t>(e.pid()));
        if (parent != m_entries.end() && !parent->second.comment().empty()) {
            out += std::to_string(e.number());
            out += "...";
        }
    }
}

// Writes the entry unless it is written already; false when it is absent. An
// end entry is left for movetext(), which writes the game's result last.
bool GameTree::write_entry(std::string& out, std::uint64_t id)
{
    const auto found = m_entries.find(id);
    if (found == m_entries.end())
        return false;
    MoveSectionEntry& e = found->second;
    if (e.written() || e.type() == MoveSectionEntryType::end_game)
        return true;
    write_move_number(out, id);
    e.set_text_start(m_text_base + static_cast<std::int32_t>(out.size()));
    out += e.pgn();
    e.set_text_end(m_text_base + static_cast<std::int32_t>(out.size()));
    e.set_written(true);
    return true;
}

void GameTree::write_moves(std::string& out, std::uint64_t id)
{
    // One frame per line being written: its current entry and the index of the
    // next child to write (0: the main-line move). Variations nest on this
    // stack rather than on the call stack, so deep nesting cannot overflow it.
    struct Frame {
        std::uint64_t current;
        std::size_t next_child;
    };
    std::vector<Frame> lines;
    if (write_entry(out, id))
        lines.push_back({id, 0});
    while (!lines.empty()) {
        Frame& line = lines.back();
        const std::vector<std::int32_t>& children = entry(line.current).children();
        bool line_ended = children.empty();
        if (!line_ended && line.next_child == 0) {
            line_ended = !write_entry(out, static_cast<std::uint64_t>(children[0]));
            line.next_child = 1;
        }
        if (line_ended) {
            lines.pop_back();
            if (!lines.empty())
                out += ')';
            continue;
        }
        if (line.next_child < children.size()) {
            const auto variation = static_cast<std::uint64_t>(children[line.next_child++]);
            const auto found = m_entries.find(variation);
            // A result is no move: there is no variation to open for it.
            if (found != m_entries.end() && found->second.type() == MoveSectionEntryType::end_game)
                continue;
            out += " (";
            if (found != m_entries.end() && found->second.colour() == colour_black &&
                entry(line.current).comment().empty()) {
                out += ' ';
                out += std::to_string(found->second.number());
                out += "...";
            }
            if (write_entry(out, variation))
                lines.push_back({variation, 0});
            else
                out += ')';
            continue;
        }
        line.current = static_cast<std::uint64_t>(children[0]);
        line.next_child = 0;
    }
}

std::string GameTree::movetext()
{
    for (auto& [id, e] : m_entries)
        e.set_written(false);
    std::string prefix;
    std::string out;
    MoveSectionEntry& root = m_entries.at(0);
    if (!root.comment().empty())
        out += "{" + root.comment() + "} \n";
    else if (m_start_colour == colour_black)
        prefix = std::to_string(m_start_number) + "...";
    m_text_base = static_cast<std::int32_t>(prefix.size());
    // The root counts as written so that the walk starts at its main-line move
    // and writes alternatives to the first move as variations after it.
    root.set_written(true);
    write_moves(out, 0);
    root.set_written(false);

    // The result belongs to the game: written once, after everything else, so
    // that a reader, which stops at the result, reads every move. It is the end
    // entry that closes the main line; end entries elsewhere are not written.
    std::uint64_t last = 0;
    for (auto next = static_cast<std::uint64_t>(m_entries.at(last).child(0)); m_entries.contains(next);
         next = static_cast<std::uint64_t>(m_entries.at(last).child(0)))
        last = next;
    if (MoveSectionEntry& end = m_entries.at(last); end.type() == MoveSectionEntryType::end_game) {
        end.set_text_start(m_text_base + static_cast<std::int32_t>(out.size()));
        out += end.pgn();
        end.set_text_end(m_text_base + static_cast<std::int32_t>(out.size()));
        end.set_written(true);
    } else {
        out += " *";
    }

    std::vector<std::size_t> inserted_at;
    std::string wrapped = wrap_movetext(prefix + out, &inserted_at);
    shift_offsets(inserted_at);
    return wrapped;
}

// A line feed inserted before a "[%" moves everything after it one place on;
// the offsets follow so that they name positions in the wrapped text.
void GameTree::shift_offsets(const std::vector<std::size_t>& inserted_at)
{
    if (inserted_at.empty())
        return;
    for (auto& [id, e] : m_entries) {
        if (!e.written())
            continue;
        const auto start = static_cast<std::size_t>(e.text_start());
        const auto end = static_cast<std::size_t>(e.text_end());
        const auto before_start = std::upper_bound(inserted_at.begin(), inserted_at.end(), start) - inserted_at.begin();
        const auto before_end = std::lower_bound(inserted_at.begin(), inserted_at.end(), end) - inserted_at.begin();
        e.set_text_start(static_cast<std::int32_t>(start + static_cast<std::size_t>(before_start)));
        e.set_text_end(static_cast<std::int32_t>(end + static_cast<std::size_t>(before_end)));
    }
}

std::string GameTree::dump() const
{
    std::ostringstream out;
    for (const auto& [id, e] : m_entries) {
        if (id > 1) {
            const auto parent = m_entries.find(static_cast<std::uint64_t>(e.pid()));
            if (parent != m_entries.end() && parent->second.colour() == e.colour()) {
                out << "ERROR  wrong color\ndump() stopped.";
                break;
            }
        }
        out << "id " << id << "  pid " << e.pid() << "  " << e.dump_type();
        if (e.type() == MoveSectionEntryType::end_game)
            out << e.result();
        if (e.colour() == colour_white)
            out << "W";
        else if (e.colour() == colour_black)
            out << "B";
        if (e.number() > 0)
            out << e.number() << ".";
        out << e.san() << '\t' << e.nag();
        if (!e.comment().empty())
            out << "{" << (e.comment().size() > 20 ? e.comment().substr(0, 20) + " ..." : e.comment()) << "}";
        out << e.dump_children() << '\n';
    }
    return out.str();
}
