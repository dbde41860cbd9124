#include "gui/epd_text.h"

std::string epd_display_text(std::string line)
{
    int blanks = 0;
    for (char& c : line) {
        if (c == ';')
            c = '\n';
        else if (c == ' ' && ++blanks == 4)
            c = '\n';
    }
    return line;
}
