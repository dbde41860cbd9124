#include "gui/option_entry.h"

#include "gui/displayable_text.h"

OptionEntry::OptionEntry()
{
    // A line break in a value would end the option's line in engines.cfg
    // and in the command to the engine: pasted text keeps its first line.
    property_truncate_multiline() = true;
}

OptionEntry::~OptionEntry() = default;

void OptionEntry::bind(Option& option)
{
    // The text shown has "?" for bytes that are not UTF-8; the option keeps
    // its value until the user edits it.
    set_text(displayable_text(option.get_value()));
    m_option = &option;
    option.set_changed(false);
}

void OptionEntry::on_changed()
{
    if (m_option != nullptr) {
        m_option->set_changed(true);
        m_option->set_value(get_text());
    }
    Gtk::Entry::on_changed();
}
