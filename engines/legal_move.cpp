#include "engines/legal_move.h"

#include <stdexcept>

#include "core/move_list.h"
#include "core/move_generator.h"

std::optional<Move> find_legal_move(ChessPosition& position, const std::string& text)
{
    Move wanted;
    try {
        wanted = position.convert_to_move(text);
    } catch (const std::logic_error&) {
        return std::nullopt;
    }
    MoveList legal;
    MoveGenerator generator;
    generator.generate(position, legal);
    for (const Move& move : legal)
        if (move.from() == wanted.from() && move.to() == wanted.to() && move.kind() == wanted.kind())
            return move;
    return std::nullopt;
}
