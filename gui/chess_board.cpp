#include "gui/chess_board.h"

ChessBoard::ChessBoard(int size) : Gtk::AspectFrame("", Gtk::ALIGN_CENTER, Gtk::ALIGN_CENTER, 1.0, false),
                                   m_board(size)
{
    m_board.m_move_signal.connect(sigc::mem_fun(*this, &ChessBoard::on_board_move));
    add(m_board);
}

ChessBoard::~ChessBoard() = default;

void ChessBoard::on_board_move()
{
    m_move_signal.emit();
}

std::pair<int, int> ChessBoard::get_move() const
{
    return m_board.get_move();
}

void ChessBoard::flip()
{
    m_board.flip();
}

void ChessBoard::add_arrow(int from, int to, int colour)
{
    m_board.add_arrow(from, to, colour);
}

void ChessBoard::clear_arrows()
{
    m_board.clear_arrows();
}

std::vector<Glib::RefPtr<Gdk::Pixbuf>> ChessBoard::get_images() const
{
    return m_board.get_images();
}

void ChessBoard::set_fen(const std::string& fen)
{
    m_board.set_position(placement_letters(fen));
}
