#include "gui/tournament_list.h"

#include "gui/displayable_text.h"

TournamentList::TournamentList() : Gtk::Box(Gtk::ORIENTATION_VERTICAL, 0)
{
    m_scrolled.add(m_tree_view);
    m_scrolled.set_policy(Gtk::POLICY_AUTOMATIC, Gtk::POLICY_AUTOMATIC);
    pack_start(m_scrolled, Gtk::PACK_EXPAND_WIDGET, 0);
    m_store = Gtk::ListStore::create(m_columns);
    m_tree_view.set_model(m_store);
    m_tree_view.append_column("ID", m_columns.m_id);
    m_tree_view.append_column("Tournament", m_columns.m_shown);
}

TournamentList::~TournamentList() = default;

void TournamentList::add_row(const std::string& name)
{
    Gtk::TreeRow row = *m_store->append();
    row[m_columns.m_id] = ++m_count;
    row[m_columns.m_name] = name;
    row[m_columns.m_shown] = displayable_text(name);
}

std::string TournamentList::get_selected_name()
{
    Gtk::TreeIter chosen = m_tree_view.get_selection()->get_selected();
    if (chosen) {
        m_selected = chosen->get_value(m_columns.m_name);
    }
    return m_selected;
}

void TournamentList::clear()
{
    m_count = 0;
    m_store->clear();
}
