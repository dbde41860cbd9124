#pragma once

#include <cstddef>
#include <string>

// How an engine-output pane takes a new message: the message goes at the end
// followed by two line feeds, and once the pane holds more than four
// characters the two characters that closed the previous message are deleted
// first. So messages follow one another and only the newest is set off by an
// empty line.
struct PaneAppend {
    // Characters to delete just before the end of the pane.
    std::size_t remove_at_end;
    // The text to insert at the end afterwards.
    std::string insert;
};

// The edit that appends message to a pane of pane_characters characters.
PaneAppend pane_append(std::size_t pane_characters, const std::string& message);

// How many lines of text a pane keeps: during a long analysis the oldest go,
// so that the pane does not grow without end.
constexpr std::size_t pane_line_limit = 1000;

// How many lines to delete at the start of a pane of lines lines, of which
// the last closing_empty_lines are the empty ones that set the newest message
// off (they do not count).
std::size_t pane_lines_to_drop(std::size_t lines, std::size_t closing_empty_lines);
