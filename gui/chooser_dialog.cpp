#include "gui/chooser_dialog.h"

#include <gtkmm/dialog.h>

void pack_chooser_table(Gtk::Box& box, Gtk::ScrolledWindow& scroll, Gtk::TreeView& table)
{
    scroll.add(table);
    scroll.set_policy(Gtk::POLICY_AUTOMATIC, Gtk::POLICY_AUTOMATIC);
    box.pack_start(scroll, Gtk::PACK_EXPAND_WIDGET, 0);
}

int run_chooser_dialog(Gtk::Window& parent, const Glib::ustring& title, int width, int height, Gtk::Box& box,
                       Gtk::TreeView& table, const std::vector<ChooserButton>& buttons, int activate_response)
{
    Gtk::Dialog dialog(title, parent, true);
    dialog.set_border_width(20);
    dialog.set_default_size(width, height);
    for (const ChooserButton& button : buttons)
        dialog.add_button(button.label, button.response);
    Gtk::Box* content = dialog.get_content_area();
    content->pack_start(box, Gtk::PACK_EXPAND_WIDGET, 0);
    content->show_all_children();
    sigc::connection activation = table.signal_row_activated().connect(
        [&dialog, activate_response](const Gtk::TreeModel::Path&, Gtk::TreeViewColumn*) {
            dialog.response(activate_response);
        });
    const int response = dialog.run();
    activation.disconnect();
    content->remove(box);
    return response;
}
