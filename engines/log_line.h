#pragma once

#include <ostream>
#include <string>

// Writes one line of a debug log, its text and a line end, and flushes it.
// A log that a failed write (a full disk) left failed is cleared first, so
// that it goes on once writing works again; what the failed writes left in
// the stream's buffer goes out then, before the line.
void write_log_line(std::ostream& log, const std::string& line);
