#pragma once

#include <string>

// The engine information that the window keeps for one side until that
// side's next move: a run of "[%eval ...]", "[%emt h:m:s]", "[%acn nodes]",
// "[%nps rate]" and "[%depth d]" commands built from the engine's "info"
// lines (given without the word "info").

// Whether the info line belongs in the engine-output window: lines naming
// the move being searched ("currmove") are too frequent to show.
bool info_line_is_shown(const std::string& info);

// Folds one info line into the side's pending comment. A line with a score
// starts the comment afresh with its "[%eval" (scores are from White's view:
// Black's are negated); a line without one gives each kind it reports its
// latest value, so the comment holds every kind at most once, in the order
// above. A "score" of another kind than "cp" or "mate" empties the comment.
// Times of a second or less, and node counts and rates of zero, add
// nothing. Reading stops at the first value that is not a number where one
// is needed. A line on another move than the engine's own ("multipv 2" and
// on) leaves the comment as it is.
void fold_engine_info(std::string& pending, const std::string& info, bool white);

// A number in the stream's default format (at most six significant digits,
// no trailing zeros), zero without a sign.
std::string default_format(double value);
