#include "gui/fen_list.h"

#include "gui/position_lines.h"

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
    return static_cast<int>(m_table.choose_row(m_parent, "Choose Position", 700, 500));
}
