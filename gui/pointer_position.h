#pragma once

#include <gtkmm/widget.h>

// Where the pointer is, in pixels from the top-left corner of a widget.
struct PointerPosition {
    int x = 0;
    int y = 0;
};

// The pointer's position over widget now; the mouse handlers read it rather
// than the event, so a press, a drag and a release agree on coordinates.
PointerPosition pointer_position(Gtk::Widget& widget);
