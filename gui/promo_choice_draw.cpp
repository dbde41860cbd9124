#include "gui/promo_choice_draw.h"

#include <gdkmm/general.h>

PromoChoiceDraw::PromoChoiceDraw(const Glib::RefPtr<Gdk::Pixbuf>& top_left, const Glib::RefPtr<Gdk::Pixbuf>& top_right,
                                 const Glib::RefPtr<Gdk::Pixbuf>& bottom_left,
                                 const Glib::RefPtr<Gdk::Pixbuf>& bottom_right, int size)
    : m_top_left(top_left), m_top_right(top_right), m_bottom_left(bottom_left), m_bottom_right(bottom_right),
      m_size(size)
{
    set_size_request(m_size / 4, m_size / 4);
}

PromoChoiceDraw::~PromoChoiceDraw() = default;

bool PromoChoiceDraw::on_draw(const Cairo::RefPtr<Cairo::Context>& cr)
{
    const int cell_width = get_allocated_width() / 2;
    const int cell_height = get_allocated_height() / 2;
    const Glib::RefPtr<Gdk::Pixbuf>* const pictures[] = {&m_top_left, &m_top_right, &m_bottom_left, &m_bottom_right};
    for (int index = 0; index < 4; ++index) {
        if (!*pictures[index])
            continue;
        Gdk::Cairo::set_source_pixbuf(cr, *pictures[index], (index % 2) * cell_width, (index / 2) * cell_height);
        cr->paint();
    }
    return true;
}
