#pragma once

#include <gtkmm/treeview.h>

// A tree view that reports each change of its cursor through signal_cursor
// and does nothing else on it.
class DSTreeView : public Gtk::TreeView {
public:
    DSTreeView();
    ~DSTreeView() override;

    // Emitted on every cursor change: a click on a row, keyboard moves, and
    // the changes the view makes itself (taking the focus, losing the row).
    sigc::signal<void> signal_cursor;

protected:
    void on_cursor_changed() override;
};
