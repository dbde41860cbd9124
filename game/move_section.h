#pragma once

#include "game/move_section_entry.h"
#include "game/pgn_token.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

// The flat list of entries that the movetext of one game is read into: entry
// i has id i, entry 0 is the start of the game, variation brackets are entries
// of their own. Refilled for every text: clear, the two start setters, load.
class MoveSection {
public:
    // One start entry; white to move first at move 1.
    MoveSection();

    // Drops every entry and starts afresh as a new section does.
    void clear();
    std::size_t size() const { return m_entries.size(); }
    // The entry with that index; the index must be below size().
    MoveSectionEntry& at(std::size_t index) { return m_entries.at(index); }
    const MoveSectionEntry& at(std::size_t index) const { return m_entries.at(index); }

    void set_start_colour(std::int32_t colour) { m_start_colour = colour; }
    void set_start_number(std::int32_t number) { m_start_number = number; }
    std::int32_t start_colour() const { return m_start_colour; }
    std::int32_t start_number() const { return m_start_number; }

    // Reads entries from the tokens from index on; the game record passes index 0
    // and parent -1. Links every move and end entry to its parent and numbers the
    // moves; the end entry of a result follows the main line's last move, also
    // when the result stands inside a variation. A second comment on an entry is
    // joined to the first with a blank. A ")" that closes no variation is passed
    // over. Throws std::logic_error "MoveSection::load invalid subvariation" for a
    // "(" before the first move, and std::logic_error "MoveSection::load   move
    // number <digits> too large, after <number and move>" for a move number
    // beyond 32 bits.
    void load(const std::vector<PgnToken>& tokens, std::size_t& index, std::int32_t parent);

    // The movetext of the whole list, wrapped at 80 columns, with a final line feed.
    std::string pgn() const;
    // A debug listing, one line per entry.
    std::string dump() const;

private:
    std::int32_t add_move(std::int32_t prev);
    std::int32_t move_number_of(const std::string& digits) const;
    // Appends a variation bracket of that type under parent.
    void add_bracket(MoveSectionEntryType type, std::int32_t parent);
    std::int32_t colour_below(std::int32_t parent) const;
    void link_and_number();

    std::vector<MoveSectionEntry> m_entries;
    std::int32_t m_start_colour = colour_white;
    std::int32_t m_start_number = 1;
};
