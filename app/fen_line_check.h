#pragma once

#include <string>

// The syntax check of a FEN or EPD line before the window sets it up: the
// first four blank-separated fields are a placement of eight ranks of eight
// squares (pieces "PNBRQKpnbrqk", digits 1 to 8), the side "w" or "b", a
// castling field of at most four of "-KQkqA-Ha-h", and an en passant field
// "-" or a file a..h followed by a rank 1..8. Further fields are not looked
// at, nor are kings or whether castling and en passant fit the placement.
bool fen_line_is_valid(const std::string& line);
