#include "gui/option_spin_button.h"

#include "gui/spin_range.h"

#include <cmath>
#include <string>

OptionSpinButton::OptionSpinButton() : Gtk::SpinButton(0.0, 0) {}

OptionSpinButton::~OptionSpinButton() = default;

void OptionSpinButton::bind(Option& option)
{
    m_option = &option;
    const SpinRange range = SpinRange::of(option);
    set_range(static_cast<double>(range.min), static_cast<double>(range.max));
    set_increments(1, 50);
    set_value(static_cast<double>(range.value));
    option.set_value(range.value_text());
    option.set_changed(false);
}

void OptionSpinButton::on_value_changed()
{
    if (m_option != nullptr) {
        m_option->set_changed(true);
        m_option->set_value(std::to_string(std::llround(get_value())));
    }
    Gtk::SpinButton::on_value_changed();
}
