#pragma once

#include <string>
#include <vector>

#include "core/chess_position.h"

// The xboard edit-mode lines that set up the board of a position: "edit", "#"
// (clear), the white pieces, "c", the black pieces and ".". Each piece is its
// upper-case letter and square ("Ke1"), kinds in the order K, Q, R, B, N, P and
// squares from a1 upward. Castling rights, en passant and counters are not sent.
std::vector<std::string> xboard_edit_commands(const ChessPosition& position);
