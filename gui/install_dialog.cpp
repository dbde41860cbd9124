#include "gui/install_dialog.h"

#include "gui/decimal_entry.h"
#include "gui/displayable_text.h"
#include "gui/install_name.h"
#include "gui/install_summary.h"

#include <gtkmm/messagedialog.h>

#include <exception>
#include <optional>

InstallDialog::InstallDialog(const Glib::ustring& title, Gtk::Window& parent, EngineVariables& engine)
    : m_content_area(get_content_area()), m_name_label("name: "), m_elo_label("Elo: "),
      m_handicap_label("handicap (%): "), m_engine(&engine)
{
    m_grid.set_row_spacing(10);
    m_grid.set_column_spacing(10);
    m_grid.set_border_width(10);
    set_title(title);
    set_transient_for(parent);
    m_content_area->pack_start(m_grid, Gtk::PACK_EXPAND_WIDGET, 0);

    for (Gtk::Label* label : {&m_name_label, &m_elo_label, &m_handicap_label}) {
        label->set_xalign(0.0);
    }
    // A line break would end the record's line in engines.cfg: pasted text
    // keeps its first line.
    for (Gtk::Entry* entry : {&m_name_entry, &m_elo_entry, &m_handicap_entry}) {
        entry->property_truncate_multiline() = true;
        entry->set_activates_default(true);
    }
    m_name_entry.set_text(displayable_text(engine.get_name()));
    attach(m_name_label, 0, 0, 1);
    attach(m_name_entry, 1, 0, 3);

    m_installed.read_engines_cfg();
    const auto known = m_installed.engines().find(engine.get_name());
    m_elo_entry.set_text(known == m_installed.engines().end() ? "" : displayable_text(known->second.get_elo()));
    attach(m_elo_label, 0, 1, 1);
    attach(m_elo_entry, 1, 1, 1);

    m_handicap_entry.set_text(displayable_text(engine.get_handicap()));
    attach(m_handicap_label, 0, 2, 1);
    attach(m_handicap_entry, 1, 2, 1);

    for (const SummaryLine& line : install_summary(engine.get_options())) {
        Gtk::Label& label = m_labels.emplace_back(displayable_text(line.text));
        label.set_xalign(0.0);
        label.set_ellipsize(Pango::ELLIPSIZE_MIDDLE);
        attach(label, line.place.column, line.place.row, line.place.width);
    }

    m_content_area->show_all_children();
    add_button("CANCEL", Gtk::RESPONSE_CANCEL);
    add_button("OK", Gtk::RESPONSE_OK);
    set_default_response(Gtk::RESPONSE_OK);
    show();
    while (run() == Gtk::RESPONSE_OK) {
        if (install()) {
            break;
        }
    }
    hide();
}

InstallDialog::~InstallDialog() = default;

void InstallDialog::attach(Gtk::Widget& widget, int column, int row, int width)
{
    m_grid.attach(widget, column, row, width, 1);
}

bool InstallDialog::install()
{
    const std::string name = install_name(m_name_entry.get_text());
    if (name.empty()) {
        tell("The engine has no name", "Type the name under which the engine is to be installed.");
        return false;
    }
    const std::optional<std::string> handicap = decimal_entry_text(m_handicap_entry.get_text());
    if (!handicap) {
        tell("The handicap is not a number",
             "Type the percentage of time taken from the engine's clock in digits with at most one decimal sign, "
             "such as 12.5, or leave it empty.");
        return false;
    }
    if (m_installed.contains(name) && !confirm_replace(name)) {
        return false;
    }
    EngineVariables record = *m_engine;
    record.set_name(name);
    record.set_elo(m_elo_entry.get_text());
    record.set_handicap(*handicap);
    InstalledEngines updated = m_installed;
    updated.add(record);
    try {
        updated.write_engines_cfg();
    } catch (const std::exception& error) {
        tell("The engine could not be installed", error.what());
        return false;
    }
    m_installed = updated;
    *m_engine = record;
    m_done = true;
    return true;
}

void InstallDialog::tell(const std::string& primary, const std::string& secondary)
{
    Gtk::MessageDialog message(*this, primary, false, Gtk::MESSAGE_ERROR, Gtk::BUTTONS_OK, true);
    message.set_secondary_text(secondary);
    message.run();
}

bool InstallDialog::confirm_replace(const std::string& name)
{
    Gtk::MessageDialog question(*this, "Replace the installed engine \"" + name + "\"?", false,
                                Gtk::MESSAGE_QUESTION, Gtk::BUTTONS_NONE, true);
    question.set_secondary_text("An engine is installed under this name. Its settings are replaced by "
                                "this engine's: program, protocol, options, Elo and handicap.");
    question.add_button("CANCEL", Gtk::RESPONSE_CANCEL);
    question.add_button("REPLACE", Gtk::RESPONSE_OK);
    return question.run() == Gtk::RESPONSE_OK;
}
