#pragma once

// Squares are 0..63 (a1 = 0, h8 = 63); display square 0 is the bottom-left
// corner of the widget. no_square stands for a place off the 64 squares.
constexpr int no_square = 64;

// The display square under the pointer position (x, y) in widget pixels, for
// squares of w x h pixels; no_square outside the 8 x 8 squares.
int display_square_at(int x, int y, int w, int h);

// The display square of a board square (and back): mirrored (63 - square)
// when the board is turned round; no_square stays no_square.
int oriented_square(int square, bool flipped);

// The board size in pixels for a requested size: 560 outside 360..1200,
// otherwise rounded down to a multiple of 8.
int checked_board_size(int size);
