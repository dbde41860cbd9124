#pragma once

#include <string>

// Folds one engine "info" line (the text after the word "info") into the
// analysis comment of the side the engine plays, as PGN comment commands:
// "[%eval P]" (pawns from White's point of view, or "#N" moves to mate),
// "[%emt H:M:S]" (thinking time, only above one second), "[%acn N]" (nodes),
// "[%nps N]" and "[%depth D]".
//
// A line with a score starts a fresh comment: eval, emt, acn, nps and depth
// in this order, each left out when its value is missing or not positive. A
// line without a score keeps the comment, appends an emt command when it
// gives a time above one second, and adds only those of acn, nps and depth
// that the comment lacks. A score of another kind than "cp" or "mate" (such
// as "score lowerbound") empties the comment. A value that is missing or not
// a number contributes nothing. Times are milliseconds, as in the engine
// lines of both protocols. A line on another move than the engine's own
// ("multipv 2" and on) leaves the comment as it is.
void update_analysis_comment(std::string& comment, const std::string& info, bool white_engine);
