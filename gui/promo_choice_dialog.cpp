#include "gui/promo_choice_dialog.h"

PromoChoiceDialog::PromoChoiceDialog(Gtk::Window& parent, const Glib::RefPtr<Gdk::Pixbuf>& top_left,
                                     const Glib::RefPtr<Gdk::Pixbuf>& top_right,
                                     const Glib::RefPtr<Gdk::Pixbuf>& bottom_left,
                                     const Glib::RefPtr<Gdk::Pixbuf>& bottom_right)
    : m_content(get_content_area()), m_event(top_left, top_right, bottom_left, bottom_right, parent.get_width())
{
    set_transient_for(parent);
    m_event.m_chosen_signal.connect(sigc::mem_fun(*this, &PromoChoiceDialog::on_choice));
    m_event.show();
    m_content->pack_start(m_event, Gtk::PACK_EXPAND_WIDGET, 0);
    show();
    run();
}

PromoChoiceDialog::~PromoChoiceDialog() = default;

void PromoChoiceDialog::on_choice()
{
    m_choice = m_event.get_choice();
    response(m_choice);
}
