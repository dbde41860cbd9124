#include "gui/promo_choice_event.h"

#include "gui/choice_grid.h"

PromoChoiceEvent::PromoChoiceEvent(const Glib::RefPtr<Gdk::Pixbuf>& top_left,
                                   const Glib::RefPtr<Gdk::Pixbuf>& top_right,
                                   const Glib::RefPtr<Gdk::Pixbuf>& bottom_left,
                                   const Glib::RefPtr<Gdk::Pixbuf>& bottom_right, int size)
    : m_size(size), m_draw(top_left, top_right, bottom_left, bottom_right, size)
{
    m_draw.show();
    add(m_draw);
    set_events(Gdk::BUTTON_PRESS_MASK);
    signal_button_press_event().connect(sigc::mem_fun(*this, &PromoChoiceEvent::on_button_press));
    show();
}

PromoChoiceEvent::~PromoChoiceEvent() = default;

bool PromoChoiceEvent::on_button_press(GdkEventButton*)
{
    int x = 0;
    int y = 0;
    get_pointer(x, y);
    m_choice = promo_choice_code(x, y, get_allocated_width(), get_allocated_height(), m_choice);
    m_chosen_signal.emit();
    return true;
}
