#include "gui/installed_list.h"

#include "engines/installed_engines.h"
#include "gui/chooser_dialog.h"
#include "gui/displayable_text.h"

InstalledList::ModelColumns::ModelColumns()
{
    add(id);
    add(engine);
}

InstalledList::ModelColumns::~ModelColumns() = default;

InstalledList::InstalledList(Gtk::Window& parent)
    : m_parent(parent), m_box(Gtk::ORIENTATION_VERTICAL, 0), m_store(Gtk::ListStore::create(m_columns))
{
    pack_chooser_table(m_box, m_scroll, m_table);
    m_table.set_model(m_store);
    m_table.append_column("ID", m_columns.id);
    m_table.append_column("Engine", m_columns.engine);
}

void InstalledList::clear()
{
    m_rows = 0;
    m_store->clear();
    m_names.clear();
}

void InstalledList::add_engine(const std::string& name)
{
    Gtk::TreeModel::Row row = *m_store->append();
    row[m_columns.id] = ++m_rows;
    row[m_columns.engine] = displayable_text(name);
    m_names.push_back(name);
}

std::string InstalledList::choose_engine(InstalledEngines& engines)
{
    clear();
    for (const auto& [name, engine] : engines.engines())
        add_engine(name);
    const int response = run_chooser_dialog(
        m_parent, "Choose Engine", 400, 500, m_box, m_table,
        {{"UNINSTALL", uninstall_response}, {"CANCEL", cancel_response}, {"LOAD", load_response}}, load_response);
    if (response != uninstall_response && response != load_response)
        return "";
    const std::string selected = selected_name();
    if (!selected.empty())
        m_kept = selected;
    if (response == load_response)
        return m_kept;
    // Only an engine the user has selected now is uninstalled.
    if (!selected.empty() && engines.contains(selected)) {
        engines.remove(selected);
        engines.write_engines_cfg();
    }
    return "";
}

std::string InstalledList::selected_name()
{
    const Gtk::TreeModel::iterator selected = m_table.get_selection()->get_selected();
    if (!selected)
        return "";
    const unsigned int id = (*selected)[m_columns.id];
    return id >= 1 && id <= m_names.size() ? m_names[id - 1] : "";
}
