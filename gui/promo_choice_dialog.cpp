#include "gui/promo_choice_dialog.h"

#include "gui/choice_dialog.h"

PromoChoiceDialog::PromoChoiceDialog(Gtk::Window& parent, const Glib::RefPtr<Gdk::Pixbuf>& top_left,
                                     const Glib::RefPtr<Gdk::Pixbuf>& top_right,
                                     const Glib::RefPtr<Gdk::Pixbuf>& bottom_left,
                                     const Glib::RefPtr<Gdk::Pixbuf>& bottom_right)
    : m_event(top_left, top_right, bottom_left, bottom_right, parent.get_width())
{
    m_choice = run_choice_dialog(*this, parent, m_event);
}

PromoChoiceDialog::~PromoChoiceDialog() = default;
