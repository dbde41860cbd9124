#include "app/mode_dialogs.h"

#include <gtkmm/checkbutton.h>
#include <gtkmm/dialog.h>
#include <gtkmm/messagedialog.h>
#include <gtkmm/radiobutton.h>

#include <array>

int ask_learn_openings_hints(Gtk::Window& parent)
{
    constexpr int cancel = 0;
    constexpr int ok = 1;
    Gtk::Dialog dialog("Learn Openings Hints", parent, true);
    dialog.set_border_width(20);
    dialog.add_button("CANCEL", cancel);
    dialog.add_button("OK", ok);
    Gtk::CheckButton white("hint white moves");
    Gtk::CheckButton black("hint black moves");
    dialog.get_content_area()->pack_start(white, Gtk::PACK_EXPAND_WIDGET, 0);
    dialog.get_content_area()->pack_start(black, Gtk::PACK_EXPAND_WIDGET, 0);
    dialog.show_all_children();
    if (dialog.run() != ok)
        return 0;
    return (white.get_active() ? 1 : 0) + (black.get_active() ? 2 : 0);
}

std::optional<int> ask_engine_protocol(Gtk::Window& parent)
{
    constexpr int ok = 1;
    Gtk::Dialog dialog("Protocol", parent, true);
    dialog.set_border_width(20);
    dialog.add_button("OK", ok);
    Gtk::RadioButton::Group group;
    // In the order of the protocol codes.
    std::array<Gtk::RadioButton, 4> choices = {
        Gtk::RadioButton(group, "autodetect"), Gtk::RadioButton(group, "uci"),
        Gtk::RadioButton(group, "xboard v1"), Gtk::RadioButton(group, "xboard v2")};
    for (Gtk::RadioButton& choice : choices)
        dialog.get_content_area()->pack_start(choice, Gtk::PACK_EXPAND_WIDGET, 0);
    choices.back().set_margin_bottom(20);
    choices.front().set_active(true);
    dialog.show_all_children();
    if (dialog.run() != ok)
        return std::nullopt;
    for (std::size_t code = 0; code < choices.size(); ++code) {
        if (choices[code].get_active())
            return static_cast<int>(code);
    }
    return 0;
}

bool ask_to_stop_tournament(Gtk::Window& parent)
{
    Gtk::MessageDialog question(parent, "Stop the tournament?", false, Gtk::MESSAGE_QUESTION, Gtk::BUTTONS_YES_NO,
                                true);
    question.set_title("Stop tournament");
    question.set_secondary_text("The game being played is abandoned; it is played again when the tournament "
                                "is started again.");
    return question.run() == Gtk::RESPONSE_YES;
}
