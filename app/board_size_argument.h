#pragma once

#include <ostream>

// The board size asked for on the command line: 560 unless there are exactly
// two arguments and the first begins with "-s"; then the number that the
// second begins with (0 when it does not begin with one), echoed on err as
// "boardsize=" and the value. The range is the board widget's to check.
int board_size_argument(int argc, const char* const* argv, std::ostream& err);
