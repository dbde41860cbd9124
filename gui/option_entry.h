#pragma once

#include "engines/option.h"

#include <gtkmm/entry.h>

// A one-line entry for a "string" option that keeps the option up to date:
// every change of the text marks it changed and makes the text its value.
class OptionEntry : public Gtk::Entry {
public:
    OptionEntry();
    ~OptionEntry() override;

    // Shows the option's value and edits it from now on; the option must
    // outlive the entry. The changed flag is cleared once it shows.
    void bind(Option& option);

protected:
    void on_changed() override;

private:
    Option* m_option = nullptr;
};
