// The Engine menu and the engine's options.
#include "app/interface.h"
// Handlers with an empty body are connected to their menu items and buttons
// but do nothing yet.

void Interface::on_menu_load_engine() {}

void Interface::on_menu_install_engine() {}

void Interface::on_menu_load_installed_engine() {}

void Interface::on_menu_engine_options() {}
