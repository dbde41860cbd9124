#pragma once

#include <optional>
#include <string>
#include <utility>
#include <vector>

class PgnFile;

// The Seven Tag Roster pairs (key, value) of one game's tag section, in file
// order; other tags are left out. Empty for a game without roster tags.
using GameHeader = std::vector<std::pair<std::string, std::string>>;

// The header of the first game of the file: rewinds the input and reads on as
// read_next_pgn_headers. Nothing when the input's end-of-file flag is set (a
// list already read to its end is not read again until the flag is cleared).
std::optional<GameHeader> read_first_pgn_headers(PgnFile& file);

// The header of the next game that the game reader finds from where the input
// stands, whatever tags it has, damaged games included; the movetext is passed
// over, not kept, and the input left where PgnFile::read_game would leave it.
// Nothing when no further game follows.
std::optional<GameHeader> read_next_pgn_headers(PgnFile& file);
