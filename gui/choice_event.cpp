#include "gui/choice_event.h"

#include "gui/pointer_position.h"

ChoiceEvent::ChoiceEvent(const std::vector<Glib::RefPtr<Gdk::Pixbuf>>& pictures, int columns, int width, int height,
                         CodeOfClick code_of, const std::vector<std::string>& names)
    : m_pictures(pictures, columns, width, height, names), m_code_of(code_of)
{
    m_pictures.show();
    add(m_pictures);
    set_events(Gdk::BUTTON_PRESS_MASK);
    signal_button_press_event().connect(sigc::mem_fun(*this, &ChoiceEvent::on_press));
    show();
}

ChoiceEvent::~ChoiceEvent() = default;

bool ChoiceEvent::on_press(GdkEventButton*)
{
    const PointerPosition pointer = pointer_position(*this);
    m_code = m_code_of(pointer.x, pointer.y, get_allocated_width(), get_allocated_height(), m_code);
    m_chosen_signal.emit();
    return true;
}
