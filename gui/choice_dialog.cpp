#include "gui/choice_dialog.h"

int run_choice_dialog(Gtk::Dialog& dialog, Gtk::Window& parent, ChoiceEvent& grid)
{
    dialog.set_transient_for(parent);
    grid.m_chosen_signal.connect([&dialog, &grid] { dialog.response(grid.code()); });
    grid.show();
    dialog.get_content_area()->pack_start(grid, Gtk::PACK_EXPAND_WIDGET, 0);
    dialog.show();
    dialog.run();
    return grid.code();
}
