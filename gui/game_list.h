#pragma once

#include "gui/chooser_table.h"

#include <gtkmm/window.h>

#include <cstddef>
#include <string>

// The "Choose Game" dialog: lists the games of a PGN file by their White,
// Black, Result and Date tags and lets the user pick one. Keeps the last
// choice for the life of the object.
class GameList {
public:
    // What choose_game returns when no game was chosen.
    static constexpr int nothing_chosen = 0;
    // The most games listed.
    static constexpr std::size_t most_rows = 1000;

    // The dialogs are transient for parent, which must outlive the list.
    explicit GameList(Gtk::Window& parent);

    // Empties the list; the next row added gets number 1.
    void clear();
    // Appends a row with the next number and the four texts (bytes that are
    // not UTF-8 are shown as "?").
    void add_game(const std::string& white, const std::string& black, const std::string& result,
                  const std::string& date);

    // Lists the file's games (read_game_list, game_list_rows.h: row n is
    // PgnFile::listed_game(n); at most most_rows; an unreadable file gives an
    // empty list) and runs the dialog. Returns the number from 1 of the
    // chosen row, for PgnFile::listed_game. OK without a selected row returns
    // the row chosen last time when this list has that many rows; Cancel,
    // closing the dialog or nothing to return give nothing_chosen.
    int choose_game(const std::string& path);

private:
    Gtk::Window& m_parent;
    ChooserTable m_table;
};
