// The program: reads the board size, builds the main window and runs the
// toolkit until the window goes.
#include "app/board_size_argument.h"
#include "app/interface.h"

#include <gtkmm/main.h>

#include <exception>
#include <iostream>
#include <string>

int main(int argc, char* argv[])
{
    const std::string program = argv[0];
    const int board_size = board_size_argument(argc, argv, std::cerr);
    Gtk::Main kit(argc, argv, true);
    try {
        Interface window(program, board_size);
        Gtk::Main::run(window);
    } catch (const std::exception& error) {
        std::cerr << error.what() << std::endl;
        return 1;
    } catch (const Glib::Exception& error) {
        std::cerr << error.what() << std::endl;
        return 1;
    }
    return 0;
}
