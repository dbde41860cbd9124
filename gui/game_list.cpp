#include "gui/game_list.h"

#include "gui/game_list_rows.h"

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
    return static_cast<int>(m_table.choose_row(m_parent, "Choose Game", 600, 500));
}
