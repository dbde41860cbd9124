#pragma once

#include <string>

// A text that ends a game, such as "1-0 {White mates}" or " {White mates} 1-0",
// taken apart into its result and the words that come with it.
struct GameResultText {
    // Of "1-0", "0-1" and "1/2-1/2", the first that the text holds, searched in
    // that order; "*" when it holds none.
    std::string result;
    // The rest of the text with its braces removed and blanks trimmed; empty
    // when nothing but the result was given.
    std::string comment;
};

// Takes the text apart; never fails.
GameResultText split_result_text(const std::string& text);
