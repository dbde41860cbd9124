#pragma once

#include <string>

namespace torvane_test {

// The FEN of the standard start position, for tests of every subsystem.
inline const std::string start_fen = "rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w KQkq - 0 1";

}
