#pragma once

#include "engines/option.h"

#include <gtkmm/checkbutton.h>

// A check button labelled with a "check" option's name that keeps the option
// up to date: every toggle marks it changed and sets its value to "true" or
// "false".
class OptionCheckButton : public Gtk::CheckButton {
public:
    OptionCheckButton();
    ~OptionCheckButton() override;

    // Shows the option (active exactly when its value is "true") and edits it
    // from now on; the option must outlive the button. The option's changed
    // flag is cleared once the button shows it.
    void bind(Option& option);

protected:
    void on_toggled() override;

private:
    Option* m_option = nullptr;
};
