#pragma once

#include <string>

// The label of the tournament dialog's opening-suite button for a chosen
// path: the file name without its directory and without its extension (from
// the last point on), at most 50 bytes of it, never cutting a character in
// two, and with bytes the toolkit would refuse shown as "?". An empty path
// (no suite) gives an empty label.
std::string opening_suite_label(const std::string& path);
