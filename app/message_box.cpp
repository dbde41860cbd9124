#include "app/message_box.h"

#include "gui/displayable_text.h"

#include <gtkmm/messagedialog.h>

void run_message_box(Gtk::Window& parent, const std::string& title, const std::string& text)
{
    Gtk::MessageDialog dialog(parent, displayable_text(title), false, Gtk::MESSAGE_INFO, Gtk::BUTTONS_OK, true);
    dialog.set_title("Message:");
    dialog.set_secondary_text(displayable_text(text), false);
    dialog.run();
}
