#pragma once

#include <cstdint>
#include <string>

// Kinds of PGN tokens. The numbers are stable: readers of a token vector
// (the tag header among them) may compare them; 4, 13 and 14 are unused.
enum class PgnTokenType : std::int32_t {
    tag_open = 0,
    tag_close = 1,
    tag_name = 2,
    tag_value = 3,
    move_number = 5,
    san_move = 6,
    dot = 7,
    comment_open = 8,
    comment_close = 9,
    comment_text = 10,
    variation_open = 11,
    variation_close = 12,
    nag = 15,
    result = 16,
};

// One token of PGN text: its kind and its text (the character itself for
// one-character tokens, the cleaned text for tag values and comments).
struct PgnToken {
    PgnTokenType type = PgnTokenType::tag_open;
    std::string text;
};
