#pragma once

#include <cstddef>
#include <string>
#include <vector>

// One row of the game list: the values of the "White", "Black", "Result" and
// "Date" tags, "?" for a tag that the header lacks.
struct GameListRow {
    std::string white;
    std::string black;
    std::string result;
    std::string date;
};

// The game list of a PGN file: one row per game that the game reader finds,
// in file order, so row n (from 1) describes PgnFile::listed_game(n); a
// damaged game or one without roster tags keeps its row. Only tag sections
// are kept; the moves are passed over. At most limit rows; none when the file
// cannot be read, and a read that fails part way ends the list there.
std::vector<GameListRow> read_game_list(const std::string& path, std::size_t limit);
