#pragma once

#include "core/chess_position.h"
#include "core/move.h"

// What a drop of a piece on the board means in a position.

// Whether a drop from `from` to `to` (squares 0..63) asks for a promotion
// piece: a pawn of either colour dropped on the first or last rank, legal or not.
bool drop_needs_promotion_piece(const ChessPosition& position, int from, int to);

// The legal move of the side to move that the drop makes, or the null move
// when there is none. promotion: 4 queen, 5 rook, 6 bishop, 7 knight, 0 none
// (a promotion then matches nothing). Castling is found both as the king's
// two-square move and as the king taking its own rook.
Move move_for_drop(const ChessPosition& position, int from, int to, int promotion);

// The result that the position on the board has reached, "" while the side
// to move has a legal move: "1-0 {White mates}", "0-1 {Black mates}" or
// "1/2-1/2 {Stalemate}", worded as the manager words them.
std::string result_on_board(const ChessPosition& position);
