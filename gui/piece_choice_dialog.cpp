#include "gui/piece_choice_dialog.h"

PieceChoiceDialog::PieceChoiceDialog(Gtk::Window& parent, const std::vector<Glib::RefPtr<Gdk::Pixbuf>>& images)
    : m_content(get_content_area()), m_event(images, parent.get_width())
{
    set_transient_for(parent);
    m_event.m_chosen_signal.connect(sigc::mem_fun(*this, &PieceChoiceDialog::on_piece_chosen));
    m_event.show();
    m_content->pack_start(m_event, Gtk::PACK_EXPAND_WIDGET, 0);
    show();
    run();
}

PieceChoiceDialog::~PieceChoiceDialog() = default;

void PieceChoiceDialog::on_piece_chosen()
{
    m_piece = m_event.get_piece();
    response(m_piece);
}
