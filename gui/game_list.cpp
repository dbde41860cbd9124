#include "gui/game_list.h"

#include "gui/chooser_dialog.h"
#include "gui/displayable_text.h"
#include "gui/game_list_rows.h"

#include <gtkmm/dialog.h>

GameList::ModelColumns::ModelColumns()
{
    add(id);
    add(white);
    add(black);
    add(result);
    add(date);
}

GameList::ModelColumns::~ModelColumns() = default;

GameList::GameList(Gtk::Window& parent)
    : m_parent(parent), m_box(Gtk::ORIENTATION_VERTICAL, 0), m_store(Gtk::ListStore::create(m_columns))
{
    pack_chooser_table(m_box, m_scroll, m_table);
    m_table.set_model(m_store);
    m_table.append_column("ID", m_columns.id);
    m_table.append_column("White", m_columns.white);
    m_table.append_column("Black", m_columns.black);
    m_table.append_column("Result", m_columns.result);
    m_table.append_column("Date", m_columns.date);
}

void GameList::clear()
{
    m_rows = 0;
    m_store->clear();
}

void GameList::add_game(const std::string& white, const std::string& black, const std::string& result,
                        const std::string& date)
{
    Gtk::TreeModel::Row row = *m_store->append();
    row[m_columns.id] = ++m_rows;
    row[m_columns.white] = displayable_text(white);
    row[m_columns.black] = displayable_text(black);
    row[m_columns.result] = displayable_text(result);
    row[m_columns.date] = displayable_text(date);
}

int GameList::choose_game(const std::string& path)
{
    clear();
    for (const GameListRow& game : read_game_list(path, most_rows))
        add_game(game.white, game.black, game.result, game.date);
    const int response = run_chooser_dialog(m_parent, "Choose Game", 600, 500, m_box, m_table,
                                            {{"_Cancel", Gtk::RESPONSE_CANCEL}, {"_OK", Gtk::RESPONSE_OK}},
                                            Gtk::RESPONSE_OK);
    if (response != Gtk::RESPONSE_OK)
        return nothing_chosen;
    if (const Gtk::TreeModel::iterator selected = m_table.get_selection()->get_selected())
        m_kept = static_cast<int>((*selected)[m_columns.id]);
    return m_kept >= 1 && static_cast<std::uint32_t>(m_kept) <= m_rows ? m_kept : nothing_chosen;
}
