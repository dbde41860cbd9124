#pragma once

#include "game/move_section.h"
#include "game/move_section_entry.h"

#include <cstdint>
#include <map>
#include <string>
#include <vector>

// The moves of one game as a tree of entries under integer ids: id 0 is the
// root (the start position), the first child of an entry is its main-line
// continuation and later children are variations. Knows nothing of positions.
class GameTree {
public:
    // White to move first at move 1; then as clear().
    GameTree();

    // Removes every entry but a fresh root; the next id becomes 1. Start colour,
    // start number and text base stay.
    void clear();
    // Replaces the tree by the moves, start and end entries of a read movetext,
    // taking them over from the section (pass it with std::move to spare a copy).
    void load(MoveSection section);

    // Adds entry as the next child of parent and returns its new id; sets the
    // entry's id, parent, colour and move number (the caller's record too).
    // Throws std::logic_error when the parent is absent or the map is inconsistent.
    std::uint64_t add_child(std::uint64_t parent, MoveSectionEntry& entry);

    // The entry under id; std::out_of_range when absent.
    MoveSectionEntry& entry(std::uint64_t id) { return m_entries.at(id); }
    const MoveSectionEntry& entry(std::uint64_t id) const { return m_entries.at(id); }
    bool contains(std::uint64_t id) const { return m_entries.contains(id); }
    // The entry with the highest id present (the root when there is no other).
    MoveSectionEntry& last_entry();
    // Removes the entry and everything below it; the root is never removed.
    void remove_entry(std::uint64_t id);
    // Empties the glyph and comment of every entry.
    void remove_comments();

    std::uint64_t next_id() const { return m_next_id; }
    std::size_t size() const { return m_entries.size(); }
    std::int32_t start_colour() const { return m_start_colour; }
    std::int32_t start_number() const { return m_start_number; }
    void set_start_colour(std::int32_t colour) { m_start_colour = colour; }
    void set_start_number(std::int32_t number) { m_start_number = number; }
    // Length of what movetext() puts before the moves; added to every offset.
    std::int32_t text_base() const { return m_text_base; }

    // The whole movetext, wrapped at 80 columns. It ends with the game's result:
    // the end entry that closes the main line, or " *" when there is none; end
    // entries anywhere else are not written. Records in every entry it writes
    // the offsets of its text in the returned string (end exclusive) and marks
    // it written.
    std::string movetext();
    // Appends to out the part of the tree that starts at entry id: the entry
    // (unless already written), its main line, and its variations in
    // parentheses, leaving out every end entry; offsets are text base plus
    // positions in out.
    void write_moves(std::string& out, std::uint64_t id);
    // Appends to out the blank and move number that stand before entry id; the
    // game's first move (the root's main-line child) gets no blank.
    void write_move_number(std::string& out, std::uint64_t id) const;
    // A debug listing of all entries, one line each.
    std::string dump() const;

private:
    bool write_entry(std::string& out, std::uint64_t id);
    void shift_offsets(const std::vector<std::size_t>& inserted_at);

    std::uint64_t m_next_id = 1;
    std::map<std::uint64_t, MoveSectionEntry> m_entries;
    std::int32_t m_start_colour = colour_white;
    std::int32_t m_start_number = 1;
    std::int32_t m_text_base = 0;
};
