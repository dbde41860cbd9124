#pragma once

#include <gtkmm/window.h>

#include <optional>

// The small questions that the Mode and Engine menus ask before they act.
// Each runs a modal dialog transient for parent and returns the answer.

// "Learn Openings Hints": whose moves the book's hints are shown for, as the
// mask 1 White, 2 Black, 3 both; 0 when neither is ticked or the dialog is
// cancelled or closed.
int ask_learn_openings_hints(Gtk::Window& parent);

// "Protocol": how to talk to an engine being loaded, 0 autodetect, 1 UCI,
// 2 xboard version 1, 3 xboard version 2; nothing when the dialog is closed
// without "OK".
std::optional<int> ask_engine_protocol(Gtk::Window& parent);

// "Stop tournament": whether to stop the tournament whose game is being
// played; true only for "Yes".
bool ask_to_stop_tournament(Gtk::Window& parent);
