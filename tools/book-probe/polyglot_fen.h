#pragma once

#include <string>

// The FEN text with its en passant field replaced by "-" unless a pawn of the
// side to move stands beside the pawn that just advanced two squares: the
// only case in which a Polyglot key counts the en passant file.
std::string fen_with_polyglot_en_passant(const std::string& fen);
