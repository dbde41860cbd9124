#include "gui/option_check_button.h"

#include "gui/displayable_text.h"

OptionCheckButton::OptionCheckButton() = default;

OptionCheckButton::~OptionCheckButton() = default;

void OptionCheckButton::bind(Option& option)
{
    m_option = &option;
    set_label(displayable_text(option.get_name()));
    set_active(option.get_value() == "true");
    option.set_changed(false);
}

void OptionCheckButton::on_toggled()
{
    if (m_option != nullptr) {
        m_option->set_changed(true);
        m_option->set_value(get_active() ? "true" : "false");
    }
    Gtk::CheckButton::on_toggled();
}
