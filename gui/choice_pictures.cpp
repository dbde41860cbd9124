#include "gui/choice_pictures.h"

#include <gdkmm/general.h>
#include <pangomm/layout.h>

ChoicePictures::ChoicePictures(const std::vector<Glib::RefPtr<Gdk::Pixbuf>>& pictures, int columns, int width,
                               int height, const std::vector<std::string>& names)
    : m_pictures(pictures), m_names(names), m_columns(columns),
      m_rows((static_cast<int>(pictures.size()) + columns - 1) / columns)
{
    set_size_request(width, height);
}

ChoicePictures::~ChoicePictures() = default;

bool ChoicePictures::on_draw(const Cairo::RefPtr<Cairo::Context>& cr)
{
    if (m_rows == 0)
        return true;
    const int cell_width = get_allocated_width() / m_columns;
    const int cell_height = get_allocated_height() / m_rows;
    for (std::size_t index = 0; index < m_pictures.size(); ++index) {
        const int cell = static_cast<int>(index);
        const int x = cell % m_columns * cell_width;
        const int y = cell / m_columns * cell_height;
        if (m_pictures[index]) {
            Gdk::Cairo::set_source_pixbuf(cr, m_pictures[index], x, y);
            cr->paint();
        } else if (index < m_names.size()) {
            draw_name(cr, m_names[index], x, y, cell_width, cell_height);
        }
    }
    return true;
}

void ChoicePictures::draw_name(const Cairo::RefPtr<Cairo::Context>& cr, const std::string& name, int x, int y,
                               int width, int height)
{
    // A framed cell with the name in the middle: it reads as a button.
    cr->save();
    cr->set_source_rgb(0.5, 0.5, 0.5);
    cr->set_line_width(1.0);
    cr->rectangle(x + 2.5, y + 2.5, width - 5.0, height - 5.0);
    cr->stroke();
    Glib::RefPtr<Pango::Layout> layout = create_pango_layout(name);
    int text_width = 0;
    int text_height = 0;
    layout->get_pixel_size(text_width, text_height);
    cr->set_source_rgb(0.0, 0.0, 0.0);
    cr->move_to(x + (width - text_width) / 2, y + (height - text_height) / 2);
    layout->show_in_cairo_context(cr);
    cr->restore();
}
