#pragma once

#include "gui/chooser_table.h"

#include <gtkmm/window.h>

#include <string>

// The "Choose Position" dialog: lists the positions of a FEN or EPD file and
// lets the user pick one. Keeps the last choice for the life of the object.
class FenList {
public:
    // What choose_position returns when no position was chosen.
    static constexpr int nothing_chosen = 0;

    // The dialogs are transient for parent, which must outlive the list.
    explicit FenList(Gtk::Window& parent);

    // Empties the list; the next row added gets number 1.
    void clear();
    // Appends a row with the next number and the text (bytes that are not
    // UTF-8 are shown as "?").
    void add_fen(const std::string& text);

    // Lists the file's positions (read_position_lines, position_lines.h; an
    // unreadable file gives an empty list) and runs the dialog. Returns the
    // number from 1 of the chosen row, which is also its number in
    // read_position_lines(path). OK without a selected row returns the row
    // chosen last time when this list has that many rows; Cancel, closing the
    // dialog or nothing to return give nothing_chosen.
    int choose_position(const std::string& path);

private:
    Gtk::Window& m_parent;
    ChooserTable m_table;
};
