#pragma once

#include "gui/choice_pictures.h"

#include <gtkmm/eventbox.h>

// A chooser's grid of pictures as a click target: a press stores the code of
// the cell under the pointer and emits m_chosen_signal.
class ChoiceEvent : public Gtk::EventBox {
public:
    // The code of a click at (x, y) on a grid of width x height pixels, or
    // previous when it falls on no cell (choice_grid.h).
    using CodeOfClick = int (*)(int x, int y, int width, int height, int previous);

    // The pictures (and the names shown for missing ones) as ChoicePictures
    // lays them out; code_of names the cells.
    ChoiceEvent(const std::vector<Glib::RefPtr<Gdk::Pixbuf>>& pictures, int columns, int width, int height,
                CodeOfClick code_of, const std::vector<std::string>& names = {});
    ~ChoiceEvent() override;

    // Emitted after every button press on the grid.
    sigc::signal<void> m_chosen_signal;

    // The code of the cell clicked last, 0 while none was clicked.
    int code() const { return m_code; }

private:
    bool on_press(GdkEventButton* event);

    ChoicePictures m_pictures;
    CodeOfClick m_code_of;
    int m_code = 0;
};
