#pragma once

// Which cell of a piece or promotion chooser a click falls on. Cells are
// width / columns by height / rows pixels (integer division) from the
// top-left corner; a click on the leftover pixels past the last full cell,
// or outside the grid, keeps the previous code.

// The piece chooser: 3 columns, 4 rows; white pawn, knight, bishop (1..3),
// rook, queen, king (4..6), then the black ones (8..10, 11..13).
int piece_choice_code(int x, int y, int width, int height, int previous);

// The promotion chooser: 2 columns, 2 rows; 4 and 5 above, 6 and 7 below.
int promo_choice_code(int x, int y, int width, int height, int previous);
