#include "gui/pane_append.h"

PaneAppend pane_append(std::size_t pane_characters, const std::string& message)
{
    return PaneAppend{pane_characters > 4 ? std::size_t{2} : std::size_t{0}, message + "\n\n"};
}

std::size_t pane_lines_to_drop(std::size_t lines, std::size_t closing_empty_lines)
{
    const std::size_t text_lines = lines > closing_empty_lines ? lines - closing_empty_lines : 0;
    return text_lines > pane_line_limit ? text_lines - pane_line_limit : 0;
}
