#include "gui/game_list.h"

#include "gui/game_list_rows.h"

#include <gtkmm/dialog.h>

GameList::GameList(Gtk::Window& parent) : m_parent(parent), m_table({"White", "Black", "Result", "Date"}) {}

void GameList::clear()
{
    m_table.clear();
}

void GameList::add_game(const std::string& white, const std::string& black, const std::string& result,
                        const std::string& date)
{
    m_table.add_row({white, black, result, date});
}

int GameList::choose_game(const std::string& path)
{
    clear();
    for (const GameListRow& game : read_game_list(path, most_rows))
        add_game(game.white, game.black, game.result, game.date);
    const int response = m_table.run_dialog(m_parent, "Choose Game", 600, 500,
                                            {{"_Cancel", Gtk::RESPONSE_CANCEL}, {"_OK", Gtk::RESPONSE_OK}},
                                            Gtk::RESPONSE_OK);
    if (response != Gtk::RESPONSE_OK)
        return nothing_chosen;
    if (const std::uint32_t selected = m_table.selected_row())
        m_kept = static_cast<int>(selected);
    return m_kept >= 1 && static_cast<std::uint32_t>(m_kept) <= m_table.rows() ? m_kept : nothing_chosen;
}
