#pragma once

#include "gui/board.h"

#include <gtkmm/aspectframe.h>

#include <string>
#include <utility>
#include <vector>

// The square chess board of the main window: shows FEN placements, reports
// each mouse release as a pair of board squares, turns round, draws arrows.
// Knows no chess rules.
class ChessBoard : public Gtk::AspectFrame {
public:
    // A board of size x size pixels: sizes outside 360..1200 become 560, others
    // are rounded down to a multiple of 8.
    explicit ChessBoard(int size);
    ~ChessBoard() override;

    // Emitted after every mouse-button release on the 64 squares (also after a
    // plain click, with from == to); get_move then gives the pair.
    sigc::signal<void> m_move_signal;

    // The last release as (from, to) board squares 0..63.
    std::pair<int, int> get_move() const;
    // Turns the board round and drops the arrows; show the position again afterwards.
    void flip();
    // An arrow between board squares 0..63: colour 0 red, 1 green, 2 blue. The
    // next set_fen (or any redraw) shows it.
    void add_arrow(int from, int to, int colour);
    void clear_arrows();
    // The 14 images by DrawingPieceCode (shared pixbufs), for the piece choosers.
    std::vector<Glib::RefPtr<Gdk::Pixbuf>> get_images() const;
    // Shows the piece placement of a FEN text; throws std::logic_error on a
    // malformed placement, keeping what was shown.
    void set_fen(const std::string& fen);

private:
    void on_board_move();

    Board m_board;
};
