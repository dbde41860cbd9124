#pragma once

#include <string>

namespace torvane_test {

// The tag section of a fresh game record: the Seven Tag Roster with its defaults.
inline const std::string default_tags =
    "[Event \"?\"]\n[Site \"?\"]\n[Date \"????.??.??\"]\n[Round \"1\"]\n"
    "[White \"?\"]\n[Black \"?\"]\n[Result \"*\"]\n";

}
