#pragma once

#include "gui/board_letters.h"
#include "gui/drawing_piece_code.h"

#include <utility>
#include <vector>

// What the board widget shows on each display square, and the piece being
// dragged. Knows no chess rules: a drop shows the piece where it fell.
class BoardModel {
public:
    // Every square empty, nothing dragged.
    BoardModel();

    // Shows the letters (display square order); throws std::logic_error on a
    // letter that is neither '?' nor a FEN piece letter, the squares before it set.
    void set_position(const BoardLetters& letters);
    // Shows the piece of a FEN letter on one display square; throws std::logic_error
    // on an unknown letter or a square outside 0..63.
    void set_piece(char letter, int square);
    // Empties one display square; throws std::logic_error outside 0..63.
    void clear_square(int square);
    // Every square empty.
    void clear();

    DrawingPieceCode shown_code(int square) const { return m_shown[square]; }
    DrawingPieceCode empty_code(int square) const { return m_empty[square]; }

    // A press at pixel (x, y) on a display square (or no_square) lifts the piece
    // standing there, centring it under the pointer; an empty square lifts nothing.
    void press(int square, int x, int y, int w, int h);
    // Moves the lifted piece with the pointer; returns whether anything moved.
    bool motion(int x, int y, int w, int h);
    // Ends the press on a display square (or no_square) and returns (from, to):
    // a drag drops its piece there and returns (from square, square); a press
    // without a piece returns (square, square). A drag that ends off the squares
    // puts the piece back and returns (from square, no_square).
    std::pair<int, int> release(int square);

    bool dragging() const { return m_dragging; }
    DrawingPieceCode dragged_code() const { return m_dragged_code; }
    int drag_x() const { return m_drag_x; }
    int drag_y() const { return m_drag_y; }

private:
    std::vector<DrawingPieceCode> m_empty;
    std::vector<DrawingPieceCode> m_shown;
    bool m_dragging = false;
    DrawingPieceCode m_dragged_code = light_square_code;
    int m_drag_from = 0;
    int m_drag_x = 0;
    int m_drag_y = 0;
};
