#pragma once

#include "gui/piece_choice_event.h"

#include <gtkmm/dialog.h>
#include <gtkmm/window.h>

// The modal piece chooser of the Setup mode: the twelve pieces, one click
// picks one. Runs inside the constructor; get_piece then tells the choice.
class PieceChoiceDialog : public Gtk::Dialog {
public:
    // images: the board's 14 images (ChessBoard::get_images). Returns when a
    // piece was clicked or the dialog was closed.
    PieceChoiceDialog(Gtk::Window& parent, const std::vector<Glib::RefPtr<Gdk::Pixbuf>>& images);
    ~PieceChoiceDialog() override;

    // 1..6 white pawn to king, 8..13 black pawn to king, 0 when closed unanswered.
    int get_piece() const { return m_piece; }

private:
    PieceChoiceEvent m_event;
    int m_piece = 0;
};
