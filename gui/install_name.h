#pragma once

#include <string>

// The name under which an engine is installed, from the text the user typed:
// blanks and tabs at both ends are dropped, as engines.cfg drops them when it
// is read back. An empty result means there is no name to install under.
std::string install_name(const std::string& typed);
