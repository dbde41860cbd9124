#pragma once

#include "gui/arrow.h"
#include "gui/board_letters.h"
#include "gui/board_model.h"

#include <gdkmm/pixbuf.h>
#include <gtkmm/drawingarea.h>

#include <utility>
#include <vector>

// The painted squares of the board: wood textures, piece images loaded from
// SVG at the square size, the piece being dragged and coloured arrows. Works
// in display squares (square 0 bottom left); the Board mirrors for it.
class Drawing : public Gtk::DrawingArea {
public:
    // A board of size x size pixels: sizes outside 360..1200 become 560, others
    // are rounded down to a multiple of 8. Loads the images at the square size.
    explicit Drawing(int size);
    ~Drawing() override;

    // (Re)loads the 14 images at width x height; a file that cannot be loaded
    // writes "problem" and "prefix=" lines to standard error and ends the loading.
    void load_images(int width, int height);
    // The 14 images by DrawingPieceCode (the pixbufs are shared).
    std::vector<Glib::RefPtr<Gdk::Pixbuf>> get_images() const;

    // Shows 64 letters in display square order; throws std::logic_error on an unknown letter.
    void set_position(const BoardLetters& letters);
    void set_piece(char letter, int square);
    void clear_square(int square);
    // Drops the arrows and empties every square.
    void clear();

    // Pointer handling in widget pixels; release returns (from, to) display squares.
    void press(int x, int y);
    void motion(int x, int y);
    std::pair<int, int> release(int x, int y);

    // Drops the arrows; later arrows are mirrored.
    void flip();
    // An arrow between two board squares (0 red, 1 green, 2 blue); squares above 63 are ignored.
    void add_arrow(int from, int to, int colour);
    void clear_arrows();

    // The width of a square in pixels, as of the last redraw (the constructor's size before it).
    int square_width() const { return m_w; }

protected:
    bool on_draw(const Cairo::RefPtr<Cairo::Context>& cr) override;

private:
    void draw_arrow(const Cairo::RefPtr<Cairo::Context>& cr, const Arrow& arrow);
    void paint_square(const Cairo::RefPtr<Cairo::Context>& cr, DrawingPieceCode code, int x, int y);

    std::vector<Glib::RefPtr<Gdk::Pixbuf>> m_images;
    int m_w;
    int m_h;
    int m_loaded_width;
    int m_loaded_height;
    bool m_flipped = false;
    BoardModel m_model;
    std::vector<Arrow> m_arrows;
};
