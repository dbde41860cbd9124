#pragma once

#include <optional>
#include <string>

#include "core/move.h"
#include "core/chess_position.h"

// The legal move of the side to move that coordinate text names ("e2e4",
// "e7e8q", castling as "e1g1" or king-takes-rook), or nothing when the text is
// malformed or names no legal move. The position is unchanged afterwards.
std::optional<Move> find_legal_move(ChessPosition& position, const std::string& text);
