#include "manager/game_result.h"

#include "core/move_list.h"

namespace {

// The 32 dark squares: a1, c1, ..., b2, d2, ...
constexpr std::uint64_t dark_squares = 0xaa55aa55aa55aa55ULL;

}

bool insufficient_material(const ChessPosition& position)
{
    const BoardPosition& board = position.board();
    if (board.white_pawns() || board.black_pawns() || board.white_queens() || board.black_queens() ||
        board.white_rooks() || board.black_rooks()) {
        return false;
    }
    if ((board.white_bishops() | board.white_knights()).count() > 1 ||
        (board.black_bishops() | board.black_knights()).count() > 1) {
        return false;
    }
    const Bitboard dark(dark_squares);
    const Bitboard light(~dark_squares);
    // Two bishops of different sides on different square colours can mate.
    return ((board.white_bishops() & light) | (board.black_bishops() & dark)).count() <= 1 &&
           ((board.white_bishops() & dark) | (board.black_bishops() & light)).count() <= 1;
}

bool no_legal_move(const ChessPosition& position, MoveGenerator& generator)
{
    MoveList moves;
    generator.generate(position, moves);
    return moves.size() == 0;
}

std::string game_result(const ChessPosition& position, MoveGenerator& generator)
{
    std::string result = "*";
    if (position.is_threefold_repetition()) {
        result = "1/2-1/2 {Draw by threefold repetition}";
    }
    if (position.fifty_move_rule()) {
        result = "1/2-1/2 {Draw by fifty move rule}";
    }
    if (insufficient_material(position)) {
        result = "1/2-1/2 {Draw by insufficient material}";
    }
    if (no_legal_move(position, generator)) {
        if (!position.in_check()) {
            result = "1/2-1/2 {Stalemate}";
        } else if (position.board().side_to_move() == 1) {
            result = "0-1 {Black mates}";
        } else {
            result = "1-0 {White mates}";
        }
    }
    return result;
}

bool adjudicated_material_draw(const ChessPosition& position)
{
    const std::string signature = position.material().text();
    return (signature == "KQkq" || signature == "KRkr" || signature == "KBkb" || signature == "KNkn") &&
           position.halfmove_clock() > 5;
}
