#include "gui/pgn_text_offsets.h"

#include "gui/displayable_text.h"

#include <algorithm>

namespace {

// The length of the character at text[i] of a displayable text.
std::size_t step(std::string_view text, std::size_t i)
{
    return std::max<std::size_t>(utf8_character_length(text, i), 1);
}

bool starts_token(char c)
{
    return c == ' ' || c == '\n';
}

bool ends_token(char c)
{
    return c == ' ' || c == '\n' || c == '(' || c == ')' || c == '{';
}

}

std::size_t character_offset(std::string_view text, std::size_t byte_offset)
{
    std::size_t characters = 0;
    for (std::size_t i = 0; i < text.size() && i < byte_offset; i += step(text, i))
        ++characters;
    return characters;
}

std::size_t byte_offset(std::string_view text, std::size_t character)
{
    std::size_t i = 0;
    for (std::size_t count = 0; i < text.size() && count < character; ++count)
        i += step(text, i);
    return std::min(i, text.size());
}

int clicked_offset(std::string_view text, std::size_t position)
{
    // The delimiters are ASCII and never part of a multi-byte character, so
    // walking bytes finds the same token boundaries as walking characters.
    std::size_t start = std::min(position, text.size());
    while (start > 0 && (start == text.size() || !starts_token(text[start])))
        --start;
    if (start < text.size() && starts_token(text[start]))
        ++start;
    std::size_t end = start;
    while (end < text.size() && !ends_token(text[end]))
        ++end;
    return static_cast<int>(end) - 1;
}
