// Moving through the game, the FEN row and the View toggles.
#include "app/interface.h"
// Handlers with an empty body are connected to their menu items and buttons
// but do nothing yet.

void Interface::on_menu_show_output() {}

void Interface::on_menu_show_pgn_view() {}

void Interface::on_menu_show_comment_editor() {}

void Interface::on_menu_show_epd_commands() {}

void Interface::on_menu_show_fen() {}

void Interface::on_pgn_move_selected(int) {}

void Interface::on_fen_entry_activated() {}

void Interface::on_pgn_view_hide() {}

void Interface::on_comment_editor_hide() {}

void Interface::on_epd_commands_hide() {}

void Interface::on_output_hide() {}

void Interface::on_goto_first() {}

void Interface::on_go_backward() {}

void Interface::on_go_forward() {}

void Interface::on_goto_last() {}
