#pragma once

#include <string>

#include "core/chess_position.h"

namespace torvane_test {

inline const std::string start_fen = "rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w KQkq - 0 1";

// The position after playing the coordinate moves (blank-separated) from fen.
ChessPosition position_after(const std::string& fen, const std::string& moves = "");

}
