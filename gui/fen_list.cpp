#include "gui/fen_list.h"

#include "gui/chooser_dialog.h"
#include "gui/displayable_text.h"
#include "gui/position_lines.h"

#include <gtkmm/dialog.h>

FenList::ModelColumns::ModelColumns()
{
    add(id);
    add(fen);
}

FenList::ModelColumns::~ModelColumns() = default;

FenList::FenList(Gtk::Window& parent)
    : m_parent(parent), m_box(Gtk::ORIENTATION_VERTICAL, 0), m_store(Gtk::ListStore::create(m_columns))
{
    pack_chooser_table(m_box, m_scroll, m_table);
    m_table.set_model(m_store);
    m_table.append_column("ID", m_columns.id);
    m_table.append_column("Fen", m_columns.fen);
}

void FenList::clear()
{
    m_rows = 0;
    m_store->clear();
}

void FenList::add_fen(const std::string& text)
{
    Gtk::TreeModel::Row row = *m_store->append();
    row[m_columns.id] = ++m_rows;
    row[m_columns.fen] = displayable_text(text);
}

int FenList::choose_position(const std::string& path)
{
    clear();
    for (const std::string& line : read_position_lines(path))
        add_fen(line);
    const int response = run_chooser_dialog(m_parent, "Choose Position", 700, 500, m_box, m_table,
                                            {{"_Cancel", Gtk::RESPONSE_CANCEL}, {"_OK", Gtk::RESPONSE_OK}},
                                            Gtk::RESPONSE_OK);
    if (response != Gtk::RESPONSE_OK)
        return nothing_chosen;
    if (const Gtk::TreeModel::iterator selected = m_table.get_selection()->get_selected())
        m_kept = static_cast<int>((*selected)[m_columns.id]);
    return m_kept >= 1 && static_cast<std::uint32_t>(m_kept) <= m_rows ? m_kept : nothing_chosen;
}
