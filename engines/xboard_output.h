#pragma once

#include <optional>
#include <string>

// What an xboard engine's output line is, judged by its first word, except
// that a move in the older form "12. ... g1f3" is a move too.
enum class XboardLineKind {
    move,        // "move e2e4", "12. ... g1f3"
    pong,        // the answer to "ping"
    resignation, // "resign", "White resigns", "Illegal move: ..."
    comment,     // "# ..."
    result,      // "1-0 {...}", "0-1", "1/2-1/2"
    thinking,    // "depth score time nodes pv..."
    other,
};

// The kind of an engine's output line.
XboardLineKind classify_xboard_line(const std::string& line);

// The move an engine announces in the line: the word after "move" ("" when
// none follows), or in the older form "12. ... g1f3" the word after "...".
// Nothing for any other line, echoes like "12. e2e4" included.
std::optional<std::string> xboard_announced_move(const std::string& line);

// A thinking line "DEPTH SCORE TIME NODES rest" (time in centiseconds) as the
// UCI words "info depth D score cp S time MS nodes N nps P rest", with the
// time in milliseconds. Numbers that cannot be read are 0 from there on.
std::string xboard_thinking_to_info(const std::string& line);
