#pragma once

#include <cstddef>
#include <string>
#include <string_view>

// The game record counts offsets into its PGN text in bytes, a text view
// counts characters: these convert between the two for the PGN window. The
// texts are displayable ones (see displayable_text.h).

// The number of characters that start before byte_offset in a displayable
// text; the whole character count for an offset at or past its end.
std::size_t character_offset(std::string_view text, std::size_t byte_offset);

// The byte offset at which the character numbered character (from 0) starts
// in a displayable text; the text's size for a character past its end.
std::size_t byte_offset(std::string_view text, std::size_t character);

// The byte offset that a click at byte position in a displayable text picks:
// the clicked token reaches back to the previous blank or line feed (a click
// on a blank or line feed picks the token after it) and forward to the next
// blank, line feed, "(", ")" or "{"; the result is the offset of the token's
// last byte, that of the byte before it for an empty token, -1 for an empty
// text.
int clicked_offset(std::string_view text, std::size_t position);
