#pragma once

#include <gdkmm/pixbuf.h>
#include <gtkmm/drawingarea.h>

#include <string>
#include <vector>

// The pictures of a piece or promotion chooser in a grid, row by row from the
// top-left cell; each cell is the allocated width / columns by the allocated
// height / rows. A null picture shows the cell's name instead, when it has
// one, so that a chooser whose images could not be loaded still offers its
// choices; otherwise its cell stays empty.
class ChoicePictures : public Gtk::DrawingArea {
public:
    // Asks for width x height pixels; columns must be at least 1. names, by
    // cell like the pictures, may be shorter than them or empty.
    ChoicePictures(const std::vector<Glib::RefPtr<Gdk::Pixbuf>>& pictures, int columns, int width, int height,
                   const std::vector<std::string>& names = {});
    ~ChoicePictures() override;

protected:
    bool on_draw(const Cairo::RefPtr<Cairo::Context>& cr) override;

private:
    void draw_name(const Cairo::RefPtr<Cairo::Context>& cr, const std::string& name, int x, int y, int width,
                   int height);

    std::vector<Glib::RefPtr<Gdk::Pixbuf>> m_pictures;
    std::vector<std::string> m_names;
    int m_columns;
    int m_rows;
};
