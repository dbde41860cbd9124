#include "gui/delete_selection.h"

#include "gui/displayable_text.h"

DeleteSelection::DeleteSelection()
{
    set_border_width(5);
    set_min_content_width(200);
    Gtk::ScrolledWindow::add(m_tree_view);
    set_policy(Gtk::POLICY_AUTOMATIC, Gtk::POLICY_AUTOMATIC);
    m_store = Gtk::ListStore::create(m_columns);
    m_tree_view.set_model(m_store);
    m_tree_view.append_column("Engine", m_columns.m_shown);
    m_tree_view.signal_cursor.connect(sigc::mem_fun(*this, &DeleteSelection::on_cursor));
    m_tree_view.get_selection()->unselect_all();
}

DeleteSelection::~DeleteSelection() = default;

void DeleteSelection::append(const std::string& name)
{
    const Gtk::TreeRow row = *m_store->append();
    row[m_columns.m_name] = name;
    row[m_columns.m_shown] = displayable_text(name);
}

bool DeleteSelection::add(const std::string& name, bool force)
{
    if (!force && !m_guard.admit()) {
        return false;
    }
    append(name);
    return true;
}

bool DeleteSelection::remove(const std::string& name, bool force)
{
    if (!force && !m_guard.admit()) {
        return false;
    }
    for (const Gtk::TreeRow& row : m_store->children()) {
        if (row.get_value(m_columns.m_name) == name) {
            m_store->erase(row);
            return true;
        }
    }
    return false;
}

void DeleteSelection::clear()
{
    m_store->clear();
}

void DeleteSelection::set_title(const std::string& title)
{
    m_tree_view.get_column(0)->set_title(title);
}

std::vector<std::string> DeleteSelection::get_entries() const
{
    std::vector<std::string> names;
    for (const Gtk::TreeRow& row : m_store->children()) {
        names.push_back(row.get_value(m_columns.m_name));
    }
    return names;
}

void DeleteSelection::on_cursor()
{
    Glib::RefPtr<Gtk::TreeSelection> selection = m_tree_view.get_selection();
    Gtk::TreeIter chosen = selection->get_selected();
    m_selected = chosen ? chosen->get_value(m_columns.m_name) : std::string();
    selection->unselect_all();
    signal_selected.emit();
}
