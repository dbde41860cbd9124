#pragma once

#include <gtkmm/box.h>
#include <gtkmm/liststore.h>
#include <gtkmm/scrolledwindow.h>
#include <gtkmm/treeview.h>
#include <gtkmm/window.h>

#include <cstdint>
#include <string>
#include <vector>

// A button of a chooser dialog: its label (with an optional mnemonic) and
// the response it gives.
struct ChooserButton {
    const char* label;
    int response;
};

// The table that the pick-one-row choosers (positions, games, engines) share:
// an "ID" column numbering the rows from 1, then text columns, in a scrolled
// window, shown in a modal dialog.
class ChooserTable {
public:
    // The text columns follow "ID" with these titles.
    explicit ChooserTable(const std::vector<const char*>& titles);
    ~ChooserTable();

    // Empties the table; the next row added gets number 1.
    void clear();
    // Appends a row with the next number and one text per text column (bytes
    // that are not UTF-8 are shown as "?").
    void add_row(const std::vector<std::string>& texts);
    // The number of rows.
    std::uint32_t rows() const { return m_rows; }
    // The number of the selected row, 0 when none is selected.
    std::uint32_t selected_row();

    // Runs a modal dialog with the title, transient for parent, border 20, of
    // the given default size, holding the table, with the buttons in their
    // order; a double click (or Enter) on a row answers activate_response.
    // Returns the response (closing the window gives
    // Gtk::RESPONSE_DELETE_EVENT). The selection stays readable afterwards.
    int run_dialog(Gtk::Window& parent, const Glib::ustring& title, int width, int height,
                   const std::vector<ChooserButton>& buttons, int activate_response);
    // Runs the dialog with "_Cancel" and "_OK" (a row's activation is OK).
    // OK returns the number of the selected row, or without a selected row
    // the row chosen last time when the table has that many rows; Cancel,
    // closing the dialog or nothing to return give 0.
    std::uint32_t choose_row(Gtk::Window& parent, const Glib::ustring& title, int width, int height);

private:
    class ModelColumns : public Gtk::TreeModelColumnRecord {
    public:
        explicit ModelColumns(std::size_t texts);
        ~ModelColumns() override;

        Gtk::TreeModelColumn<unsigned int> id;
        std::vector<Gtk::TreeModelColumn<Glib::ustring>> texts;
    };

    ModelColumns m_columns;
    Gtk::Box m_box;
    Gtk::ScrolledWindow m_scroll;
    Gtk::TreeView m_table;
    Glib::RefPtr<Gtk::ListStore> m_store;
    std::uint32_t m_rows = 0;
    std::uint32_t m_kept = 0;
};
