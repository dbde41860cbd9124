// The Tournament menu: a new tournament and loading a saved one.
#include "app/interface.h"
// Handlers with an empty body are connected to their menu items and buttons
// but do nothing yet.

void Interface::on_menu_tounament_new() {}

void Interface::on_menu_tournament_load() {}
