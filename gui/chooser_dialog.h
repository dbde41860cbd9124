#pragma once

#include <gtkmm/box.h>
#include <gtkmm/scrolledwindow.h>
#include <gtkmm/treeview.h>
#include <gtkmm/window.h>

#include <vector>

// The parts that the pick-one-row choosers (positions, games, engines) share:
// a table in a scrolled window in a box, shown in a modal dialog.

// A button of a chooser dialog: its label (with an optional mnemonic) and
// the response it gives.
struct ChooserButton {
    const char* label;
    int response;
};

// Puts the table into the scrolled window (scroll bars as needed) and the
// scrolled window into the box, expanding and filling.
void pack_chooser_table(Gtk::Box& box, Gtk::ScrolledWindow& scroll, Gtk::TreeView& table);

// Runs a modal dialog with the title, transient for parent, border 20, of the
// given default size, holding box, with the buttons in their order; a double
// click (or Enter) on a row of the table answers activate_response. Returns
// the response (closing the window gives Gtk::RESPONSE_DELETE_EVENT). The box
// is taken out of the dialog again before the dialog goes, so the next call
// can pack it.
int run_chooser_dialog(Gtk::Window& parent, const Glib::ustring& title, int width, int height, Gtk::Box& box,
                       Gtk::TreeView& table, const std::vector<ChooserButton>& buttons, int activate_response);
