#include "tests/engines/position_helpers.h"

#include <sstream>

namespace torvane_test {

ChessPosition position_after(const std::string& fen, const std::string& moves)
{
    ChessPosition position;
    position.set_fen(fen);
    std::istringstream list(moves);
    for (std::string move; list >> move;)
        position.make_move(position.convert_to_move(move));
    return position;
}

}
