#pragma once

#include "gui/promo_choice_draw.h"

#include <gtkmm/eventbox.h>

// The promotion chooser's grid as a click target: a press stores the code of
// the cell under the pointer (promo_choice_code) and emits m_chosen_signal.
class PromoChoiceEvent : public Gtk::EventBox {
public:
    PromoChoiceEvent(const Glib::RefPtr<Gdk::Pixbuf>& top_left, const Glib::RefPtr<Gdk::Pixbuf>& top_right,
                     const Glib::RefPtr<Gdk::Pixbuf>& bottom_left, const Glib::RefPtr<Gdk::Pixbuf>& bottom_right,
                     int size);
    ~PromoChoiceEvent() override;

    // Emitted after every button press on the grid.
    sigc::signal<void> m_chosen_signal;

    // 4 top-left, 5 top-right, 6 bottom-left, 7 bottom-right, 0 while none was clicked.
    int get_choice() const { return m_choice; }

    virtual bool on_button_press(GdkEventButton* event);

private:
    int m_size;
    PromoChoiceDraw m_draw;
    int m_choice = 0;
};
