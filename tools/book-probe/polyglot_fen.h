#pragma once

#include <string>

// The FEN text with its en passant field replaced by "-" unless a pawn of the
// side to move stands beside the pawn that just advanced two squares: the
// only case in which a Polyglot key counts the en passant file. Throws
// std::logic_error for a placement that read_fen_placement refuses and for a
// side to move other than "w" or "b".
std::string fen_with_polyglot_en_passant(const std::string& fen);
