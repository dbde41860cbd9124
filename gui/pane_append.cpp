#include "gui/pane_append.h"

PaneAppend pane_append(std::size_t pane_characters, const std::string& message)
{
    return PaneAppend{pane_characters > 4 ? std::size_t{2} : std::size_t{0}, message + "\n\n"};
}
