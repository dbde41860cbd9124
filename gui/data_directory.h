#pragma once

#include <array>
#include <string>
#include <vector>

// The folders searched for "torvane.files", in this order: "" (the working
// directory), "/usr/local/bin/", "/usr/local/games/", "/usr/bin/" and
// "/usr/games/". An installed program stands in one of them beside its images.
const std::array<const char*, 5>& data_folders();

// Makes data_prefix() search these folders, in this order, instead of those
// it searched so far (data_folders() until the first call), and returns
// those. Tests use it to decide whether the images are found, whatever is
// installed on the machine; the program never calls it.
std::vector<std::string> search_data_folders(std::vector<std::string> folders);

// Where "torvane.files" lives: the first of the searched folders that holds
// "torvane.files/svg/wood_l.svg"; "" when none does.
std::string data_prefix();

// The path of an image file: the prefix, "torvane.files/svg/" and the file name.
std::string svg_path(const std::string& prefix, const std::string& file_name);

// The same under the data prefix found now.
std::string svg_path(const std::string& file_name);
