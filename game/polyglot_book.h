#pragma once

#include "game/polyglot_entry.h"
#include "game/polyglot_move.h"

#include <cstdint>
#include <fstream>
#include <string>
#include <vector>

// A Polyglot ".bin" opening book read straight from its file: entries sorted by
// key, found by binary search, never loaded whole into memory.
class PolyglotBook {
public:
    PolyglotBook() = default;
    // Stores the name and opens the book; on failure the name is cleared and the
    // exception passes on.
    explicit PolyglotBook(const std::string& filename);

    // Stores the name of the book to open later; opens and closes nothing.
    void set_filename(const std::string& filename);
    std::string get_filename() const { return m_filename; }

    // Opens the named file (closing any open one) and counts its whole entries.
    // Throws std::logic_error "PolyglotBook::open() open NAME failed (1)" when it can't.
    void open();
    bool is_open() const { return m_file.is_open(); }
    // Closes the file; the name stays.
    void close();
    // Number of whole 16-byte entries; a trailing shorter piece is ignored.
    int size() const { return static_cast<int>(m_count); }

    // The entry at a 0-based index below the count; throws std::logic_error for
    // another index and std::runtime_error when the file no longer holds it.
    PolyglotEntry read_entry(std::uint64_t index);

    // All entries (or their moves) of one key in file order; empty when the key
    // is not in the book or no book is open. Reads about log2(count) entries.
    std::vector<PolyglotEntry> find_entries(std::uint64_t key);
    std::vector<PolyglotMove> find_moves(std::uint64_t key);
    // The same for the key that PolyglotKey::key_of_fen gives for a FEN text.
    std::vector<PolyglotEntry> find_entries(const std::string& fen);
    std::vector<PolyglotMove> find_moves(const std::string& fen);

private:
    std::uint64_t read_key(std::uint64_t index);
    std::uint64_t first_index_not_below(std::uint64_t key);

    std::string m_filename;
    std::ifstream m_file;
    std::uint64_t m_count = 0;
};
