#pragma once

#include "gui/piece_choice_draw.h"

#include <gtkmm/eventbox.h>

// The piece chooser's grid as a click target: a press stores the code of the
// piece under the pointer (piece_choice_code) and emits m_chosen_signal.
class PieceChoiceEvent : public Gtk::EventBox {
public:
    PieceChoiceEvent(const std::vector<Glib::RefPtr<Gdk::Pixbuf>>& images, int width);
    ~PieceChoiceEvent() override;

    // Emitted after every button press on the grid.
    sigc::signal<void> m_chosen_signal;

    // 1..6, 8..13, or 0 while no piece was clicked.
    int get_piece() const { return m_piece; }

    virtual bool on_button_press(GdkEventButton* event);

private:
    int m_width;
    PieceChoiceDraw m_draw;
    int m_piece = 0;
};
