#pragma once

#include <cstddef>
#include <string_view>

// Length in bytes of the character that starts at text[i]: 1 for ASCII, 2 to 4
// for a well-formed UTF-8 sequence, and 0 when the bytes there do not form one
// (a stray continuation byte, a bad lead byte or a sequence cut short).
std::size_t utf8_sequence_length(std::string_view text, std::size_t i);
