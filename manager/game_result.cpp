#include "manager/game_result.h"

#include "core/move_list.h"

#include <algorithm>

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

bool is_legal_move(const ChessPosition& position, MoveGenerator& generator, const Move& move)
{
    if (move.kind() == nullmove) {
        return false;
    }
    MoveList moves;
    generator.generate(position, moves);
    return std::any_of(moves.begin(), moves.end(), [&move](const Move& legal) { return legal == move.code(); });
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

std::string result_after_engine_move(const ChessPosition& position, MoveGenerator& generator)
{
    const std::string result = game_result(position, generator);
    const bool no_move_left = result.find("mates}") != std::string::npos || result == "1/2-1/2 {Stalemate}";
    if (!no_move_left && adjudicated_material_draw(position)) {
        return "1/2-1/2 {adjudicated}";
    }
    return result;
}
