#include "gui/option_combo_box_text.h"

#include "gui/displayable_text.h"

OptionComboBoxText::OptionComboBoxText() : Gtk::ComboBoxText(false) {}

OptionComboBoxText::~OptionComboBoxText() = default;

void OptionComboBoxText::bind(Option& option)
{
    m_option = &option;
    for (const std::string& choice : option.get_vars()) {
        append(displayable_text(choice));
    }
    if (const std::string value = option.get_value(); !value.empty()) {
        set_active_text(displayable_text(value));
        // The text shown may have "?" for bytes that are not UTF-8; the
        // option keeps its value until the user picks another.
        option.set_value(value);
    } else if (!option.get_vars().empty()) {
        set_active(0);
    }
    option.set_changed(false);
}

void OptionComboBoxText::on_changed()
{
    if (m_option != nullptr) {
        m_option->set_changed(true);
        m_option->set_value(get_active_text());
    }
    Gtk::ComboBoxText::on_changed();
}
