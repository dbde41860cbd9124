#pragma once

#include <string>

// Where "torvane.files" lives: "" (the working directory), "/usr/local/bin/",
// "/usr/local/games/", "/usr/bin/" or "/usr/games/", the first that holds
// "torvane.files/svg/wood_l.svg"; "" when none does.
std::string data_prefix();

// The path of an image file: the prefix, "torvane.files/svg/" and the file name.
std::string svg_path(const std::string& prefix, const std::string& file_name);

// The same under the data prefix found now.
std::string svg_path(const std::string& file_name);
