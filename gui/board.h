#pragma once

#include "gui/board_letters.h"
#include "gui/drawing.h"

#include <gtkmm/eventbox.h>

#include <utility>
#include <vector>

// Catches the mouse over the Drawing and turns the board round: translates
// between board squares (what the game means) and display squares (what is
// drawn where).
class Board : public Gtk::EventBox {
public:
    // A board of size x size pixels (the size rule of Drawing), not turned.
    explicit Board(int size);
    ~Board() override;

    // Emitted after every mouse-button release on the 64 squares, also after a
    // plain click; get_move then gives the pair.
    sigc::signal<void> m_move_signal;

    // The last release as (from, to) board squares.
    std::pair<int, int> get_move() const;
    // Turns the board round and drops the arrows; the caller shows the position again.
    void flip();
    // Shows 64 letters in board square order.
    void set_position(const BoardLetters& letters);
    std::vector<Glib::RefPtr<Gdk::Pixbuf>> get_images() const;
    // An arrow between two board squares (0 red, 1 green, 2 blue); no redraw.
    void add_arrow(int from, int to, int colour);
    void clear_arrows();

    void set_empty();
    void set_piece(char letter, int square);
    void clear_square(int square);

protected:
    virtual bool on_press(GdkEventButton* event);
    virtual bool on_release(GdkEventButton* event);
    virtual bool on_motion(GdkEventMotion* event);

private:
    bool m_flipped = false;
    Drawing m_drawing;
    int m_move_from = 0;
    int m_move_to = 0;
};
