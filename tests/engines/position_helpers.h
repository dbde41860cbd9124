#pragma once

#include <string>

#include "core/chess_position.h"

#include "tests/support/start_position.h"

namespace torvane_test {


// The position after playing the coordinate moves (blank-separated) from fen.
ChessPosition position_after(const std::string& fen, const std::string& moves = "");

}
