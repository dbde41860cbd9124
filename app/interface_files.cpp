// Game and position files, the Polyglot book, and New game.
#include "app/interface.h"
// Handlers with an empty body are connected to their menu items and buttons
// but do nothing yet.

void Interface::on_menu_new_game() {}

void Interface::on_menu_load_game() {}

void Interface::on_menu_save_game() {}

void Interface::on_menu_load_position() {}

void Interface::on_menu_load_next_position() {}

void Interface::on_menu_load_previous_position() {}

void Interface::on_menu_save_position() {}

void Interface::on_menu_polyglot_book() {}
