#pragma once

#include <gdkmm/pixbuf.h>
#include <gtkmm/drawingarea.h>

#include <vector>

// The twelve piece pictures of the piece chooser in a 3 x 4 grid: white pawn,
// knight, bishop; white rook, queen, king; then the black ones likewise.
class PieceChoiceDraw : public Gtk::DrawingArea {
public:
    // images: the board's 14 images by DrawingPieceCode; width: the main
    // window's width, of which the grid asks for 3/8 by 1/2.
    PieceChoiceDraw(const std::vector<Glib::RefPtr<Gdk::Pixbuf>>& images, int width);
    ~PieceChoiceDraw() override;

protected:
    bool on_draw(const Cairo::RefPtr<Cairo::Context>& cr) override;

private:
    std::vector<Glib::RefPtr<Gdk::Pixbuf>> m_images;
    int m_width;
};
