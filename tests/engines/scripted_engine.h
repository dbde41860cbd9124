#pragma once

#include <cstddef>
#include <string>

namespace torvane_test {

// Writes an executable shell script that plays an engine: it records every
// line it receives in "<path>.in" and answers each command by the given
// "case" branches (sh syntax, the command in $l). "quit" ends it.
std::string write_scripted_engine(const std::string& directory, const std::string& name,
                                  const std::string& case_branches);

// The lines a scripted engine has received, once it has received at least
// min_lines of them (or after five seconds).
std::string scripted_engine_input(const std::string& path, std::size_t min_lines = 0);

// The lines a scripted engine has received, once the last of them is the
// given line (or after five seconds): for engines sent an unknown number of lines.
std::string scripted_engine_input_ending(const std::string& path, const std::string& last_line);

}
