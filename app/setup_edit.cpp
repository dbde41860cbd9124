#include "app/setup_edit.h"

#include "core/square.h"

namespace {

bool pawn_may_stand_on(int square)
{
    return square > 7 && square < 56;
}

}

Piece setup_drag(ChessPosition& position, int from, int to)
{
    const Piece piece = position.piece_on(Square(from));
    const Piece target = position.piece_on(Square(to));
    if (piece.is_empty() || target.is_king())
        return piece;
    if (!target.is_empty())
        position.remove_piece(Square(to), target);
    if (!piece.is_pawn() || pawn_may_stand_on(to))
        position.put_piece(Square(to), piece);
    position.remove_piece(Square(from), piece);
    return piece;
}

Piece setup_click(ChessPosition& position, int square)
{
    const Piece piece = position.piece_on(Square(square));
    if (!piece.is_empty() && !piece.is_king())
        position.remove_piece(Square(square), piece);
    return piece;
}

Piece chosen_piece(int choice)
{
    if (choice >= 1 && choice <= 6)
        return Piece(static_cast<std::uint32_t>(choice));
    if (choice >= 8 && choice <= 13)
        return Piece(static_cast<std::uint32_t>(choice + 1));
    return Piece();
}

Piece setup_put(ChessPosition& position, int square, Piece piece)
{
    if (piece.is_empty() || piece.is_king() || (piece.is_pawn() && !pawn_may_stand_on(square)) ||
        !position.piece_on(Square(square)).is_empty())
        return Piece();
    position.put_piece(Square(square), piece);
    return piece;
}

void pass_move_after_edit(ChessPosition& position, Piece piece)
{
    if (piece.is_empty())
        return;
    const bool white_to_move = position.board().side_to_move() == 1;
    if (piece.is_white() == white_to_move)
        position.toggle_side_to_move();
}
