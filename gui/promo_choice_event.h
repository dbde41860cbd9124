#pragma once

#include "gui/choice_event.h"

// The promotion chooser's grid: four pictures in 2 columns and 2 rows; a
// click names a cell as promo_choice_code does. A missing picture shows the
// piece's name (queen, rook, bishop, knight in the cells' order).
class PromoChoiceEvent : public ChoiceEvent {
public:
    // size: the main window's width, of which the grid asks for 1/4 square.
    PromoChoiceEvent(const Glib::RefPtr<Gdk::Pixbuf>& top_left, const Glib::RefPtr<Gdk::Pixbuf>& top_right,
                     const Glib::RefPtr<Gdk::Pixbuf>& bottom_left, const Glib::RefPtr<Gdk::Pixbuf>& bottom_right,
                     int size);
    ~PromoChoiceEvent() override;

    // 4 top-left, 5 top-right, 6 bottom-left, 7 bottom-right, 0 while none was clicked.
    int get_choice() const { return code(); }
};
