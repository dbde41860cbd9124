#include "gui/board.h"

#include "gui/board_geometry.h"
#include "gui/pointer_position.h"

Board::Board(int size) : m_drawing(size)
{
    m_drawing.show();
    add(m_drawing);
    set_events(Gdk::POINTER_MOTION_MASK | Gdk::BUTTON_PRESS_MASK | Gdk::BUTTON_RELEASE_MASK);
    signal_button_press_event().connect(sigc::mem_fun(*this, &Board::on_press));
    signal_button_release_event().connect(sigc::mem_fun(*this, &Board::on_release));
    signal_motion_notify_event().connect(sigc::mem_fun(*this, &Board::on_motion));
    show();
}

Board::~Board() = default;

bool Board::on_press(GdkEventButton*)
{
    const PointerPosition pointer = pointer_position(*this);
    m_drawing.press(pointer.x, pointer.y);
    return true;
}

bool Board::on_motion(GdkEventMotion*)
{
    const PointerPosition pointer = pointer_position(*this);
    m_drawing.motion(pointer.x, pointer.y);
    return true;
}

bool Board::on_release(GdkEventButton*)
{
    const PointerPosition pointer = pointer_position(*this);
    const std::pair<int, int> move = m_drawing.release(pointer.x, pointer.y);
    // A release off the squares names no square; the drawing has put a dragged piece back.
    if (move.first == no_square || move.second == no_square)
        return true;
    m_move_from = move.first;
    m_move_to = move.second;
    m_move_signal.emit();
    return true;
}

std::pair<int, int> Board::get_move() const
{
    return {oriented_square(m_move_from, m_flipped), oriented_square(m_move_to, m_flipped)};
}

void Board::flip()
{
    m_drawing.flip();
    m_flipped = !m_flipped;
}

void Board::set_position(const BoardLetters& letters)
{
    if (!m_flipped) {
        m_drawing.set_position(letters);
        return;
    }
    m_drawing.set_position(BoardLetters(letters.rbegin(), letters.rend()));
}

std::vector<Glib::RefPtr<Gdk::Pixbuf>> Board::get_images() const
{
    return m_drawing.get_images();
}

void Board::add_arrow(int from, int to, int colour)
{
    m_drawing.add_arrow(from, to, colour);
}

void Board::clear_arrows()
{
    m_drawing.clear_arrows();
}

void Board::set_empty()
{
    m_drawing.set_position(BoardLetters(64, empty_square_letter));
}

void Board::set_piece(char letter, int square)
{
    m_drawing.set_piece(letter, oriented_square(square, m_flipped));
}

void Board::clear_square(int square)
{
    m_drawing.clear_square(oriented_square(square, m_flipped));
}
