#pragma once

#include "core/chess_position.h"

#include <string>

namespace torvane_test {

// A position set from FEN text; throws as ChessPosition::set_fen does.
inline ChessPosition from_fen(const std::string& text)
{
    ChessPosition position;
    position.set_fen(text);
    return position;
}

}
