#include "gui/option_button.h"

#include "gui/displayable_text.h"

OptionButton::OptionButton() = default;

OptionButton::~OptionButton() = default;

void OptionButton::bind(Option& option)
{
    m_option = &option;
    set_label(displayable_text(option.get_name()));
    option.set_changed(false);
}

void OptionButton::on_clicked()
{
    if (m_option != nullptr) {
        m_option->set_changed(true);
    }
    Gtk::Button::on_clicked();
}
