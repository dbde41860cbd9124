#pragma once

#include <cstddef>
#include <string>
#include <string_view>

// The length in bytes of the well-formed UTF-8 character that starts at
// text[i], as the toolkit validates it (no overlong forms, surrogates or
// values past U+10FFFF); 0 when none starts there or the byte is NUL.
std::size_t utf8_character_length(std::string_view text, std::size_t i);

// The text with every byte that starts no well-formed UTF-8 character (and
// every NUL byte) replaced by "?": the toolkit's text widgets accept it, and
// every byte offset into it is the same as in the original text.
std::string displayable_text(const std::string& text);
