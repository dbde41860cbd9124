#pragma once

#include "core/chess_position.h"
#include "core/piece.h"

// The edits of the Setup mode on a position's board (squares 0..63). They
// change the pieces only; the caller rebuilds the position from its FEN.
// Kings are never removed, captured or put: the board keeps its two kings.

// A drag: the piece on `from` goes to `to`, removing what stood there,
// unless a king stands there; a pawn dragged to the first or last rank
// disappears. Returns the piece dragged (none for an empty square).
Piece setup_drag(ChessPosition& position, int from, int to);

// A click on a piece other than a king removes it. Returns the piece clicked.
Piece setup_click(ChessPosition& position, int square);

// The piece that a piece-chooser answer names: 1..6 white pawn to king,
// 8..13 black pawn to king, anything else none.
Piece chosen_piece(int choice);

// Puts the chosen piece on an empty square: never a king, a pawn only on
// ranks 2 to 7. Returns the piece put (none when nothing was put).
Piece setup_put(ChessPosition& position, int square, Piece piece);

// After an edit with a piece of the side to move (moved, removed, put or
// only chosen), the other side moves.
void pass_move_after_edit(ChessPosition& position, Piece piece);
