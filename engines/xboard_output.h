#pragma once

#include <string>

// What an xboard engine's output line is, judged by its first word.
enum class XboardLineKind {
    move,        // "move e2e4"
    pong,        // the answer to "ping"
    resignation, // "resign", "White resigns", "Illegal move: ..."
    comment,     // "# ..."
    result,      // "1-0 {...}", "0-1", "1/2-1/2"
    thinking,    // "depth score time nodes pv..."
    other,
};

// The kind of a line whose first whitespace-separated word is first_word.
XboardLineKind classify_xboard_line(const std::string& first_word);

// A thinking line "DEPTH SCORE TIME NODES rest" (time in centiseconds) as the
// UCI words "info depth D score cp S time MS nodes N nps P rest", with the
// time in milliseconds. Numbers that cannot be read are 0 from there on.
std::string xboard_thinking_to_info(const std::string& line);
