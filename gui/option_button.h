#pragma once

#include "engines/option.h"

#include <gtkmm/button.h>

// A push button labelled with a "button" option's name (such as "Clear
// Hash"). Pressing it marks the option changed and leaves its value alone:
// the caller sends a pressed button to the engine after the dialog.
class OptionButton : public Gtk::Button {
public:
    OptionButton();
    ~OptionButton() override;

    // Shows the option's name and marks the option from now on; the option
    // must outlive the button. Its changed flag is cleared.
    void bind(Option& option);

protected:
    void on_clicked() override;

private:
    Option* m_option = nullptr;
};
