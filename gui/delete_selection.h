#pragma once

#include "gui/ds_tree_view.h"
#include "gui/selection_guard.h"

#include <gtkmm/liststore.h>
#include <gtkmm/scrolledwindow.h>
#include <gtkmm/treemodelcolumn.h>

#include <string>
#include <vector>

// A scrolled one-column list of names that hands each name the user clicks to
// its owner (signal_selected, then get_selected) and keeps no row highlighted.
// Names are added and removed either forced (always) or guarded by a
// SelectionGuard, for moves that a click asked for.
class DeleteSelection : public Gtk::ScrolledWindow {
public:
    class MyColumns : public Gtk::TreeModelColumnRecord {
    public:
        MyColumns()
        {
            add(m_name);
            add(m_shown);
        }
        // The engine's name as installed; m_shown is what the list shows of
        // it (bytes that are not UTF-8 as "?").
        Gtk::TreeModelColumn<std::string> m_name;
        Gtk::TreeModelColumn<std::string> m_shown;
    };

    // An empty list with the column title "Engine".
    DeleteSelection();
    ~DeleteSelection() override;

    // Appends a row with the name; never guarded.
    void append(const std::string& name);
    // Appends a row with the name (again, when it is listed already); when
    // not forced, only if the guard lets the call through. True when added.
    bool add(const std::string& name, bool force);
    // Removes the first row, from the top, whose name equals the name
    // exactly; when not forced, only if the guard lets the call through (an
    // unlisted name still counts as a call let through). True when a row went.
    bool remove(const std::string& name, bool force);
    // Removes every row; the guard and the last selected name stay.
    void clear();
    void set_title(const std::string& title);
    // The name of the row the user last chose, "" when the last cursor change
    // left no row chosen.
    std::string get_selected() const { return m_selected; }
    // The names from the first row to the last.
    std::vector<std::string> get_entries() const;

    // Emitted after every cursor change of the list, get_selected telling
    // the name chosen.
    sigc::signal<void> signal_selected;

private:
    // The window's own add, which the constructor uses for the list; the
    // public add above adds names.
    using Gtk::ScrolledWindow::add;

    void on_cursor();

    SelectionGuard m_guard;
    MyColumns m_columns;
    DSTreeView m_tree_view;
    Glib::RefPtr<Gtk::ListStore> m_store;
    std::string m_selected;
};
