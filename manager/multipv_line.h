#pragma once

#include <string>

// Whether an engine "info" line (the text after the word "info") reports one
// of the engine's further lines, "multipv N" with N above 1. Its score is
// that of a move other than the one the engine plays, so it belongs in no
// move's comment; a line with "multipv 1", or with none, reports the line
// the engine plays.
bool reports_further_line(const std::string& info);
