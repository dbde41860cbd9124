#include "gui/chooser_table.h"

#include "gui/displayable_text.h"

#include <gtkmm/dialog.h>

ChooserTable::ModelColumns::ModelColumns(std::size_t texts) : texts(texts)
{
    add(id);
    for (Gtk::TreeModelColumn<Glib::ustring>& text : this->texts)
        add(text);
}

ChooserTable::ModelColumns::~ModelColumns() = default;

ChooserTable::ChooserTable(const std::vector<const char*>& titles)
    : m_columns(titles.size()), m_box(Gtk::ORIENTATION_VERTICAL, 0), m_store(Gtk::ListStore::create(m_columns))
{
    m_scroll.add(m_table);
    m_scroll.set_policy(Gtk::POLICY_AUTOMATIC, Gtk::POLICY_AUTOMATIC);
    m_box.pack_start(m_scroll, Gtk::PACK_EXPAND_WIDGET, 0);
    m_table.set_model(m_store);
    m_table.append_column("ID", m_columns.id);
    for (std::size_t column = 0; column < titles.size(); ++column)
        m_table.append_column(titles[column], m_columns.texts[column]);
}

ChooserTable::~ChooserTable() = default;

void ChooserTable::clear()
{
    m_rows = 0;
    m_store->clear();
}

void ChooserTable::add_row(const std::vector<std::string>& texts)
{
    Gtk::TreeModel::Row row = *m_store->append();
    row[m_columns.id] = ++m_rows;
    for (std::size_t column = 0; column < texts.size() && column < m_columns.texts.size(); ++column)
        row[m_columns.texts[column]] = displayable_text(texts[column]);
}

std::uint32_t ChooserTable::selected_row()
{
    const Gtk::TreeModel::iterator selected = m_table.get_selection()->get_selected();
    return selected ? (*selected)[m_columns.id] : 0;
}

int ChooserTable::run_dialog(Gtk::Window& parent, const Glib::ustring& title, int width, int height,
                             const std::vector<ChooserButton>& buttons, int activate_response)
{
    Gtk::Dialog dialog(title, parent, true);
    dialog.set_border_width(20);
    dialog.set_default_size(width, height);
    for (const ChooserButton& button : buttons)
        dialog.add_button(button.label, button.response);
    Gtk::Box* content = dialog.get_content_area();
    content->pack_start(m_box, Gtk::PACK_EXPAND_WIDGET, 0);
    content->show_all_children();
    sigc::connection activation = m_table.signal_row_activated().connect(
        [&dialog, activate_response](const Gtk::TreeModel::Path&, Gtk::TreeViewColumn*) {
            dialog.response(activate_response);
        });
    const int response = dialog.run();
    activation.disconnect();
    // The box leaves the dialog before the dialog goes, so the next run can pack it.
    content->remove(m_box);
    return response;
}

std::uint32_t ChooserTable::choose_row(Gtk::Window& parent, const Glib::ustring& title, int width, int height)
{
    const int response = run_dialog(parent, title, width, height,
                                    {{"_Cancel", Gtk::RESPONSE_CANCEL}, {"_OK", Gtk::RESPONSE_OK}}, Gtk::RESPONSE_OK);
    if (response != Gtk::RESPONSE_OK)
        return 0;
    if (const std::uint32_t selected = selected_row())
        m_kept = selected;
    return m_kept <= m_rows ? m_kept : 0;
}
