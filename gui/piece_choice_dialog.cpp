#include "gui/piece_choice_dialog.h"

#include "gui/choice_dialog.h"

PieceChoiceDialog::PieceChoiceDialog(Gtk::Window& parent, const std::vector<Glib::RefPtr<Gdk::Pixbuf>>& images)
    : m_event(images, parent.get_width())
{
    m_piece = run_choice_dialog(*this, parent, m_event);
}

PieceChoiceDialog::~PieceChoiceDialog() = default;
