#pragma once

#include <string>

namespace pgn_test {

// Writes the bytes to a fresh file in a temporary directory and returns its path.
std::string write_temp_file(const std::string& name, const std::string& bytes);

// The whole contents of a file.
std::string read_file(const std::string& path);

// The text with control and non-ASCII bytes written as \xNN, cut to 40
// characters: readable names for table-driven cases.
std::string printable(const std::string& text);

// Legal games with variations kept as test data.
std::string seed_games_path();

}
