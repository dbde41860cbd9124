#include "app/board_drop.h"

#include "core/move_generator.h"
#include "core/move_list.h"
#include "core/square.h"

bool drop_needs_promotion_piece(const ChessPosition& position, int from, int to)
{
    if (from < 0 || from > 63 || !(to < 8 || (to > 55 && to < 64)))
        return false;
    return position.piece_on(Square(from)).is_pawn();
}

Move move_for_drop(const ChessPosition& position, int from, int to, int promotion)
{
    if (from < 0 || from > 63 || to < 0 || to > 63)
        return Move();
    MoveList legal;
    MoveGenerator generator;
    generator.generate(position, legal);
    const std::string text = Square(from).name() + Square(to).name();
    for (std::uint64_t i = 0; i < legal.size(); ++i) {
        const Move& move = legal.at(static_cast<int>(i));
        const MoveKind kind = move.kind();
        const bool squares = move.from().value() == static_cast<std::uint32_t>(from) &&
                             move.to().value() == static_cast<std::uint32_t>(to);
        const bool plain = kind == normal_move || kind == castling || kind == en_passant;
        const bool promotes = kind >= promo_queen && kind <= promo_knight && promotion == kind + 2;
        if ((squares && (plain || promotes)) || move.to_string() == text)
            return move;
    }
    return Move();
}

std::string result_on_board(const ChessPosition& position)
{
    MoveList legal;
    MoveGenerator generator;
    generator.generate(position, legal);
    if (legal.size() > 0)
        return "";
    if (!position.in_check())
        return "1/2-1/2 {Stalemate}";
    return position.board().side_to_move() == 1 ? "0-1 {Black mates}" : "1-0 {White mates}";
}
