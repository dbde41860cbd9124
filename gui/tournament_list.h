#pragma once

#include <gtkmm/box.h>
#include <gtkmm/liststore.h>
#include <gtkmm/scrolledwindow.h>
#include <gtkmm/treemodelcolumn.h>
#include <gtkmm/treeview.h>

#include <string>

// The list of saved tournaments in the load dialog: a scrolled list of rows
// "ID" (1, 2, 3, ... in the order added) and "Tournament" (the name). The
// dialog adds the rows and reads the user's choice after the dialog closes.
class TournamentList : public Gtk::Box {
public:
    class ModelColumns : public Gtk::TreeModelColumnRecord {
    public:
        ModelColumns()
        {
            add(m_id);
            add(m_name);
            add(m_shown);
        }
        Gtk::TreeModelColumn<unsigned int> m_id;
        // The name as saved, which names the file; m_shown is what the list
        // shows of it (bytes that are not UTF-8 as "?").
        Gtk::TreeModelColumn<std::string> m_name;
        Gtk::TreeModelColumn<std::string> m_shown;
    };

    // An empty list.
    TournamentList();
    ~TournamentList() override;

    // Appends a row with the next ID and the name.
    void add_row(const std::string& name);
    // The name of the selected row; with none selected, the name this call
    // last found selected ("" when it never found one).
    std::string get_selected_name();
    // Removes every row; the next row gets ID 1 again.
    void clear();

private:
    ModelColumns m_columns;
    Gtk::ScrolledWindow m_scrolled;
    Gtk::TreeView m_tree_view;
    Glib::RefPtr<Gtk::ListStore> m_store;
    unsigned int m_count = 0;
    std::string m_selected;
};
