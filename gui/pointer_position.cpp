#include "gui/pointer_position.h"

PointerPosition pointer_position(Gtk::Widget& widget)
{
    PointerPosition position;
    widget.get_pointer(position.x, position.y);
    return position;
}
