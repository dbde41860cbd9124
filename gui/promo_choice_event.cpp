#include "gui/promo_choice_event.h"

#include "gui/choice_grid.h"

PromoChoiceEvent::PromoChoiceEvent(const Glib::RefPtr<Gdk::Pixbuf>& top_left,
                                   const Glib::RefPtr<Gdk::Pixbuf>& top_right,
                                   const Glib::RefPtr<Gdk::Pixbuf>& bottom_left,
                                   const Glib::RefPtr<Gdk::Pixbuf>& bottom_right, int size)
    : ChoiceEvent({top_left, top_right, bottom_left, bottom_right}, 2, size / 4, size / 4, promo_choice_code,
                  {"Queen", "Rook", "Bishop", "Knight"})
{
}

PromoChoiceEvent::~PromoChoiceEvent() = default;
