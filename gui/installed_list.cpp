#include "gui/installed_list.h"

#include "engines/installed_engines.h"
#include "gui/confirmation.h"

InstalledList::InstalledList(Gtk::Window& parent) : m_parent(parent), m_table({"Engine"}) {}

void InstalledList::clear()
{
    m_table.clear();
    m_names.clear();
}

void InstalledList::add_engine(const std::string& name)
{
    m_table.add_row({name});
    m_names.push_back(name);
}

std::string InstalledList::choose_engine(InstalledEngines& engines)
{
    clear();
    for (const auto& [name, engine] : engines.engines())
        add_engine(name);
    const int response = m_table.run_dialog(
        m_parent, "Choose Engine", 400, 500,
        {{"UNINSTALL", uninstall_response}, {"CANCEL", cancel_response}, {"LOAD", load_response}}, load_response);
    if (response != uninstall_response && response != load_response)
        return "";
    const std::string selected = selected_name();
    if (!selected.empty())
        m_kept = selected;
    if (response == load_response)
        return m_kept;
    // Only an engine the user has selected now, and confirmed, is uninstalled.
    if (!selected.empty() && engines.contains(selected) &&
        confirm(m_parent, "Uninstall engine", "Uninstall the engine \"" + selected + "\"?",
                "It goes from the list of installed engines with its settings; its program stays on the disk.")) {
        engines.remove(selected);
        engines.write_engines_cfg();
    }
    return "";
}

std::string InstalledList::selected_name()
{
    const std::uint32_t row = m_table.selected_row();
    return row >= 1 && row <= m_names.size() ? m_names[row - 1] : "";
}
