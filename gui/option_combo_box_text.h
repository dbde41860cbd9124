#pragma once

#include "engines/option.h"

#include <gtkmm/comboboxtext.h>

// A drop-down list of a "combo" option's choices that keeps the option up to
// date: every change of the active choice marks it changed and sets its value
// to that choice.
class OptionComboBoxText : public Gtk::ComboBoxText {
public:
    OptionComboBoxText();
    ~OptionComboBoxText() override;

    // Lists the option's choices in the engine's order and shows its value,
    // or the first choice (which then becomes the value) when the value is
    // empty; a value that is no choice shows nothing and stays. Edits the
    // option from now on; the option must outlive the widget. The changed
    // flag is cleared once it shows.
    void bind(Option& option);

protected:
    void on_changed() override;

private:
    Option* m_option = nullptr;
};
