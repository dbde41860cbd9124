#pragma once

#include "engines/option.h"

#include <gtkmm/spinbutton.h>

// A spin button for a "spin" option that keeps the option up to date: every
// change of the value marks it changed and sets its value to the decimal text
// of the shown number.
class OptionSpinButton : public Gtk::SpinButton {
public:
    OptionSpinButton();
    ~OptionSpinButton() override;

    // Shows the option within its range (SpinRange: texts that hold no number
    // or lie outside the range are clamped to it, and the option's value then
    // becomes the number shown) and edits it from now on; the option must
    // outlive the button. The changed flag is cleared once it shows.
    void bind(Option& option);

protected:
    void on_value_changed() override;

private:
    Option* m_option = nullptr;
};
