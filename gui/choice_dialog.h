#pragma once

#include "gui/choice_event.h"

#include <gtkmm/dialog.h>
#include <gtkmm/window.h>

// Runs dialog modally, transient for parent, with grid as its content, until
// a click on the grid or closing the dialog. Returns the grid's code: that of
// the cell clicked, 0 when the dialog was closed unanswered.
int run_choice_dialog(Gtk::Dialog& dialog, Gtk::Window& parent, ChoiceEvent& grid);
