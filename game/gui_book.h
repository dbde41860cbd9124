#pragma once

#include "game/pgn_file.h"

#include <optional>
#include <random>
#include <string>

class ChessPosition;

// An opening suite: a ".pgn" file whose games' main lines, or an ".epd" file
// whose non-empty lines, give the start positions of engine games. Entries are
// numbered from 1 in file order; every setup leaves the chosen opening on the
// caller's position, or the standard start position when there is none.
class GuiBook {
public:
    // An empty suite whose random choice is seeded from std::random_device.
    GuiBook();

    // Loads the named suite and counts its entries. A name of four characters
    // or fewer is ignored; one that ends neither in ".pgn" nor ".epd", or a
    // file that can't be read, leaves an empty suite.
    void load(const std::string& name);
    int count() const { return m_count; }
    std::string get_filename() const { return m_filename; }

    // Sets up entry n (numbers below 1 mean 1). Past the end, a PGN suite gives
    // its first game and an EPD suite its last line. An entry that is no
    // position, or a game that can't be replayed, gives the standard start
    // position (the latter with a message on standard error).
    void setup(ChessPosition& position, int n);
    // Sets up an entry drawn uniformly from 1 to the count.
    void setup_random(ChessPosition& position);
    // Sets up the entry last set up again (the first when none was).
    void setup_again(ChessPosition& position);
    // Sets up entry 1.
    void setup_first(ChessPosition& position);
    // Sets up the entry after the last one, going back to the first after the end.
    void setup_next(ChessPosition& position);

    // The FEN text of an EPD line: its first four words and " 0 1".
    static std::string epd_to_fen(const std::string& line);

private:
    enum class Format { none, pgn, epd };

    Format format() const;
    bool set_up_entry(ChessPosition& position, int n);
    bool set_up_epd_entry(ChessPosition& position, int n);
    bool set_up_pgn_entry(ChessPosition& position, int n);
    std::optional<std::string> epd_line(int n) const;
    int count_epd_lines() const;
    int count_pgn_games();

    std::string m_filename;
    PgnFile m_pgn_file;
    int m_current = 0;
    int m_count = 0;
    std::string m_game_text;
    std::minstd_rand m_random;
};
