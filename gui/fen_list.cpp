#include "gui/fen_list.h"

#include "gui/position_lines.h"

#include <gtkmm/dialog.h>

FenList::FenList(Gtk::Window& parent) : m_parent(parent), m_table({"Fen"}) {}

void FenList::clear()
{
    m_table.clear();
}

void FenList::add_fen(const std::string& text)
{
    m_table.add_row({text});
}

int FenList::choose_position(const std::string& path)
{
    clear();
    for (const std::string& line : read_position_lines(path))
        add_fen(line);
    const int response = m_table.run_dialog(m_parent, "Choose Position", 700, 500,
                                            {{"_Cancel", Gtk::RESPONSE_CANCEL}, {"_OK", Gtk::RESPONSE_OK}},
                                            Gtk::RESPONSE_OK);
    if (response != Gtk::RESPONSE_OK)
        return nothing_chosen;
    if (const std::uint32_t selected = m_table.selected_row())
        m_kept = static_cast<int>(selected);
    return m_kept >= 1 && static_cast<std::uint32_t>(m_kept) <= m_table.rows() ? m_kept : nothing_chosen;
}
