#pragma once

#include <cstddef>
#include <string>
#include <vector>

inline constexpr std::size_t longest_position_line = 65536;

// The positions of a FEN or EPD file, numbered as the position list shows
// them and as the position loaders must count them (line k of this list is
// row k of the list): every line that is not empty, in file order, without
// its line ending; a carriage return before the line feed is dropped, so a
// line holding nothing else counts as empty. A line longer than
// longest_position_line bytes holds no position and is left out too. Empty
// when the file cannot be read; a read that fails part way ends the list there.
std::vector<std::string> read_position_lines(const std::string& path);
