#pragma once

#include <gdkmm/pixbuf.h>
#include <gtkmm/drawingarea.h>

#include <vector>

// The pictures of a piece or promotion chooser in a grid, row by row from the
// top-left cell; each cell is the allocated width / columns by the allocated
// height / rows, and a null picture leaves its cell empty.
class ChoicePictures : public Gtk::DrawingArea {
public:
    // Asks for width x height pixels; columns must be at least 1.
    ChoicePictures(const std::vector<Glib::RefPtr<Gdk::Pixbuf>>& pictures, int columns, int width, int height);
    ~ChoicePictures() override;

protected:
    bool on_draw(const Cairo::RefPtr<Cairo::Context>& cr) override;

private:
    std::vector<Glib::RefPtr<Gdk::Pixbuf>> m_pictures;
    int m_columns;
    int m_rows;
};
