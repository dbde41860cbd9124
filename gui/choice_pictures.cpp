#include "gui/choice_pictures.h"

#include <gdkmm/general.h>

ChoicePictures::ChoicePictures(const std::vector<Glib::RefPtr<Gdk::Pixbuf>>& pictures, int columns, int width,
                               int height)
    : m_pictures(pictures), m_columns(columns),
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
        if (!m_pictures[index])
            continue;
        const int cell = static_cast<int>(index);
        Gdk::Cairo::set_source_pixbuf(cr, m_pictures[index], cell % m_columns * cell_width,
                                      cell / m_columns * cell_height);
        cr->paint();
    }
    return true;
}
