#include "gui/confirmation.h"

#include "gui/displayable_text.h"

#include <gtkmm/messagedialog.h>

bool confirm(Gtk::Window& parent, const std::string& title, const std::string& question,
             const std::string& consequence)
{
    Gtk::MessageDialog box(parent, displayable_text(question), false, Gtk::MESSAGE_QUESTION, Gtk::BUTTONS_YES_NO,
                           true);
    box.set_title(displayable_text(title));
    box.set_secondary_text(displayable_text(consequence), false);
    // Enter must not destroy anything by accident.
    box.set_default_response(Gtk::RESPONSE_NO);
    return box.run() == Gtk::RESPONSE_YES;
}
