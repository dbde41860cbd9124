#include "game/pgn_read_place.h"

#include "game/pgn_limits.h"

namespace {

bool is_high_byte(char c)
{
    return static_cast<unsigned char>(c) >= 0x80;
}

bool is_marker_digit(char c)
{
    return c == '0' || c == '1';
}

}

bool take_plain_byte(PgnReadPlace& place, char c, char last)
{
    switch (place.state) {
    case PgnReadState::tags:
        if ((c >= '0' && c <= '9') || c == '*' || is_high_byte(c))
            return false;
        if (c == '[')
            place.state = PgnReadState::tag_text;
        else if (c == '{')
            place.state = PgnReadState::tag_comment;
        return true;
    case PgnReadState::tag_text:
        if (place.tag_length >= max_tag_value_bytes)
            return false;
        ++place.tag_length;
        // A "]" inside the quoted value belongs to the value. A quote right
        // after a backslash is escaped, as the tokenizer reads it; a value
        // never spans lines, so a line feed ends an unclosed quote.
        if (c == '"' && last != '\\')
            place.in_quotes = !place.in_quotes;
        else if (c == '\n')
            place.in_quotes = false;
        if (c == ']' && !place.in_quotes) {
            place.tag_length = 0;
            place.state = PgnReadState::tags;
        }
        return true;
    case PgnReadState::tag_comment:
        if (c == '}')
            place.state = PgnReadState::tags;
        return true;
    case PgnReadState::comment:
        if (c == '}')
            place.state = PgnReadState::movetext;
        return true;
    case PgnReadState::movetext:
        // A tag at the start of a line ends the game; a byte above 127
        // damages it.
        if ((c == '[' && last == '\n') || is_high_byte(c) || is_marker_digit(c) || c == '*')
            return false;
        if (c == '{')
            place.state = PgnReadState::comment;
        return true;
    }
    return false;
}
