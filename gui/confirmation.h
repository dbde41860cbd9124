#pragma once

#include <gtkmm/window.h>

#include <string>

// Asks the user a yes-or-no question in a modal box on parent before
// something is lost that cannot be got back: the window title, the question
// (naming what is at stake) and what follows from a yes. True only for Yes;
// No and closing the box answer false. Bytes that are not UTF-8 show as "?".
bool confirm(Gtk::Window& parent, const std::string& title, const std::string& question,
             const std::string& consequence);
