#include "tools/book-probe/polyglot_fen.h"

#include "core/fen_placement.h"

#include <sstream>
#include <stdexcept>

namespace {

constexpr std::uint32_t white_pawn_code = 1;
constexpr std::uint32_t black_pawn_code = 9;

bool capture_possible(const FenPlacement& board, bool white_to_move, const std::string& target)
{
    if (target.size() != 2 || target[0] < 'a' || target[0] > 'h')
        return false;
    const int file = target[0] - 'a';
    // The capturing pawn stands on the rank the double-pushed pawn arrived on.
    const int rank = white_to_move ? 4 : 3;
    const std::uint32_t pawn = white_to_move ? white_pawn_code : black_pawn_code;
    for (int side_file : {file - 1, file + 1})
        if (side_file >= 0 && side_file < 8 && board[static_cast<std::size_t>(8 * rank + side_file)] == pawn)
            return true;
    return false;
}

}

std::string fen_with_polyglot_en_passant(const std::string& fen)
{
    const FenPlacement board = read_fen_placement(fen, "fen");
    std::istringstream in(fen);
    std::string placement, side, castling, en_passant, rest;
    in >> placement >> side >> castling >> en_passant;
    if (side != "w" && side != "b")
        throw std::logic_error("fen(" + fen + ")   error: the side to move is neither w nor b");
    std::getline(in, rest);
    if (en_passant.empty() || en_passant == "-")
        return fen;
    const bool counted = capture_possible(board, side == "w", en_passant);
    return placement + ' ' + side + ' ' + castling + ' ' + (counted ? en_passant : std::string(1, '-')) + rest;
}
