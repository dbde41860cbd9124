#pragma once

#include <gtkmm/window.h>

#include <string>

// A modal message box on parent, window title "Message:", the title as its
// primary text and the text as its secondary text, both shown as they are
// (bytes that are not UTF-8 as "?"); returns when the user has closed it.
void run_message_box(Gtk::Window& parent, const std::string& title, const std::string& text);
