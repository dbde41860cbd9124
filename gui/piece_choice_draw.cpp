#include "gui/piece_choice_draw.h"

#include <gdkmm/general.h>

PieceChoiceDraw::PieceChoiceDraw(const std::vector<Glib::RefPtr<Gdk::Pixbuf>>& images, int width)
    : m_images(images), m_width(width)
{
    set_size_request(m_width * 3 / 8, m_width / 2);
}

PieceChoiceDraw::~PieceChoiceDraw() = default;

bool PieceChoiceDraw::on_draw(const Cairo::RefPtr<Cairo::Context>& cr)
{
    const int cell_width = get_allocated_width() / 3;
    const int cell_height = get_allocated_height() / 4;
    for (int row = 0; row < 4; ++row) {
        for (int column = 0; column < 3; ++column) {
            const std::size_t code = static_cast<std::size_t>(row * 3 + column + (row < 2 ? 1 : 2));
            if (code >= m_images.size() || !m_images[code])
                continue;
            Gdk::Cairo::set_source_pixbuf(cr, m_images[code], column * cell_width, row * cell_height);
            cr->paint();
        }
    }
    return true;
}
