#pragma once

#include <string>

// Writes a PGN file of the given number of games built from legal seed games
// (with their variations): realistic tag sections, results, and comments with
// engine information or words added to some moves. Throws std::runtime_error
// when the input games cannot be read or the file cannot be written.
void write_bench_file(const std::string& seed_path, const std::string& path, int games);
