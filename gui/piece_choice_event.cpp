#include "gui/piece_choice_event.h"

#include "gui/choice_grid.h"

PieceChoiceEvent::PieceChoiceEvent(const std::vector<Glib::RefPtr<Gdk::Pixbuf>>& images, int width)
    : m_width(width), m_draw(images, width)
{
    m_draw.show();
    add(m_draw);
    set_events(Gdk::BUTTON_PRESS_MASK);
    signal_button_press_event().connect(sigc::mem_fun(*this, &PieceChoiceEvent::on_button_press));
    show();
}

PieceChoiceEvent::~PieceChoiceEvent() = default;

bool PieceChoiceEvent::on_button_press(GdkEventButton*)
{
    int x = 0;
    int y = 0;
    get_pointer(x, y);
    m_piece = piece_choice_code(x, y, get_allocated_width(), get_allocated_height(), m_piece);
    m_chosen_signal.emit();
    return true;
}
