#pragma once

#include <string>

namespace torvane_test {

// The full path of a program that Debian installs (engines go to /usr/games,
// which is not on root's PATH), or of the build's wrapper that starts it with
// the tests' home where it has one. Throws std::runtime_error naming the
// program when it is not installed, so a peer test fails rather than skips.
std::string peer_program(const std::string& name);

// The text as one word of a shell command, whatever it holds (blanks,
// quotes): for every path that goes into a command given to run_command.
std::string quoted(const std::string& text);

// Runs a shell command and returns what it wrote on standard output.
// Throws std::runtime_error when the command cannot be started or exits non-zero.
std::string run_command(const std::string& command);

// A fresh empty directory under the system's temporary directory. It is
// removed with everything in it when the test program ends normally.
std::string make_temp_dir(const std::string& prefix);

}
