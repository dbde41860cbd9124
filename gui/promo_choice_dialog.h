#pragma once

#include "gui/promo_choice_event.h"

#include <gtkmm/dialog.h>
#include <gtkmm/window.h>

// The modal promotion chooser: four pieces, one click picks one. Runs inside
// the constructor; get_choice then tells the choice.
class PromoChoiceDialog : public Gtk::Dialog {
public:
    // The caller passes the promoting side's queen, rook, bishop and knight.
    PromoChoiceDialog(Gtk::Window& parent, const Glib::RefPtr<Gdk::Pixbuf>& top_left,
                      const Glib::RefPtr<Gdk::Pixbuf>& top_right, const Glib::RefPtr<Gdk::Pixbuf>& bottom_left,
                      const Glib::RefPtr<Gdk::Pixbuf>& bottom_right);
    ~PromoChoiceDialog() override;

    // 4..7 for the picture clicked (top-left, top-right, bottom-left,
    // bottom-right), 0 when closed unanswered.
    int get_choice() const { return m_choice; }

private:
    PromoChoiceEvent m_event;
    int m_choice = 0;
};
