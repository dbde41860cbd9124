#pragma once

#include <istream>
#include <string>
#include <utility>
#include <vector>

class PgnFile;

// The Seven Tag Roster pairs (key, value) of one game's header, in file order;
// other tags are left out. Empty when no header was found.
using GameHeader = std::vector<std::pair<std::string, std::string>>;

// The header of the first game of the file: rewinds the input (unless its
// end-of-file flag is set, which gives an empty header) and reads from the
// first line holding a "[" to the end of the tag section.
GameHeader read_first_pgn_headers(PgnFile& file);

// The header of the next game from where the input stands: skips to the next
// line holding both "[" and "Event". Empty at the end of the file.
GameHeader read_next_pgn_headers(PgnFile& file);

// Where the first line of the n-th header (from 1) starts, counted as the two
// functions above count games; -1 when there are fewer headers. Rewinds input.
std::streamoff listed_header_offset(std::istream& input, int n);
