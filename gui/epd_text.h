#pragma once

#include <string>

// An EPD or FEN line laid out for reading: every ";" becomes a line feed, and
// so does the fourth blank of the line (only that one), so the four position
// fields stand on the first line and each operation, or the two move
// counters of a FEN, follow on lines of their own.
std::string epd_display_text(std::string line);
