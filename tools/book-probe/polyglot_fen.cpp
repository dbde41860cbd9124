#include "tools/book-probe/polyglot_fen.h"

#include <array>
#include <sstream>

namespace {

// The board as 64 characters, a1 first; '.' for an empty square.
std::array<char, 64> board_of(const std::string& placement)
{
    std::array<char, 64> board;
    board.fill('.');
    int square = 56;
    for (char c : placement) {
        if (c == '/')
            square -= 16;
        else if (c >= '1' && c <= '8')
            square += c - '0';
        else {
            if (square >= 0 && square < 64)
                board[static_cast<std::size_t>(square)] = c;
            ++square;
        }
    }
    return board;
}

bool capture_possible(const std::array<char, 64>& board, bool white_to_move, const std::string& target)
{
    if (target.size() != 2 || target[0] < 'a' || target[0] > 'h')
        return false;
    const int file = target[0] - 'a';
    // The capturing pawn stands on the rank the double-pushed pawn arrived on.
    const int rank = white_to_move ? 4 : 3;
    const char pawn = white_to_move ? 'P' : 'p';
    for (int side_file : {file - 1, file + 1})
        if (side_file >= 0 && side_file < 8 && board[static_cast<std::size_t>(8 * rank + side_file)] == pawn)
            return true;
    return false;
}

}

std::string fen_with_polyglot_en_passant(const std::string& fen)
{
    std::istringstream in(fen);
    std::string placement, side, castling, en_passant, rest;
    in >> placement >> side >> castling >> en_passant;
    std::getline(in, rest);
    if (en_passant.empty() || en_passant == "-")
        return fen;
    const bool counted = capture_possible(board_of(placement), side == "w", en_passant);
    return placement + ' ' + side + ' ' + castling + ' ' + (counted ? en_passant : std::string(1, '-')) + rest;
}
