#include "gui/board_model.h"

#include "gui/board_geometry.h"

#include <stdexcept>

namespace {

void check_square(int square, const char* operation)
{
    if (square < 0 || square > 63)
        throw std::logic_error(std::string(operation) + " square out of range");
}

}

BoardModel::BoardModel() : m_empty(64), m_shown(64)
{
    for (int square = 0; square < 64; ++square)
        m_empty[square] = empty_square_code(square);
    m_shown = m_empty;
}

void BoardModel::set_position(const BoardLetters& letters)
{
    m_shown = m_empty;
    const int count = letters.size() < 64 ? static_cast<int>(letters.size()) : 64;
    for (int square = 0; square < count; ++square)
        if (letters[square] != empty_square_letter)
            m_shown[square] = piece_code(letters[square]);
}

void BoardModel::set_piece(char letter, int square)
{
    check_square(square, "Drawing::set_piece()");
    m_shown[square] = piece_code(letter);
}

void BoardModel::clear_square(int square)
{
    check_square(square, "Drawing::clear_square()");
    m_shown[square] = m_empty[square];
}

void BoardModel::clear()
{
    m_shown = m_empty;
}

void BoardModel::press(int square, int x, int y, int w, int h)
{
    m_dragging = square != no_square && is_piece_code(m_shown[square]);
    if (!m_dragging)
        return;
    m_dragged_code = m_shown[square];
    m_drag_from = square;
    m_shown[square] = m_empty[square];
    // Placed at once, so a redraw before the first motion paints the piece under the pointer.
    m_drag_x = x - w / 2;
    m_drag_y = y - h / 2;
}

bool BoardModel::motion(int x, int y, int w, int h)
{
    if (!m_dragging)
        return false;
    m_drag_x = x - w / 2;
    m_drag_y = y - h / 2;
    return true;
}

std::pair<int, int> BoardModel::release(int square)
{
    if (!m_dragging)
        return {square, square};
    m_dragging = false;
    if (square == no_square) {
        m_shown[m_drag_from] = m_dragged_code;
        return {m_drag_from, no_square};
    }
    m_shown[m_drag_from] = m_empty[m_drag_from];
    m_shown[square] = m_dragged_code;
    return {m_drag_from, square};
}
