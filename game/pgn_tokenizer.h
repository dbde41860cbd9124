#pragma once

#include "game/pgn_token.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

// Splits the PGN text of one game into tokens, up to and including the first
// result token. Never fails: malformed text gives odd tokens. A "<" opens a
// comment like "{" and a ">" outside a comment closes one like "}". Comments
// are kept up to max_game_bytes and tag values up to max_tag_value_bytes
// (game/pgn_limits.h).
std::vector<PgnToken> pgn_tokenize(std::string_view text);

// Comment and tag-value cleaning: cuts the text to its first max bytes, drops
// carriage returns, turns tabs and line feeds into blanks and replaces every
// byte of a broken or cut UTF-8 sequence by "?". The result is at most max bytes.
std::string pgn_clean_text(std::string_view text, std::uint32_t max);

// True for the bytes that may stand in a SAN move: letters, digits and "#+-:=_".
bool pgn_is_san_char(unsigned char c);

// The scanners below read the text in place from pos. Those that take pos by
// reference leave it on the last byte they consumed (one before the start when
// they consumed nothing, which wraps around at 0), so scanning goes on at pos + 1.

// After leading blanks, the bytes up to a blank, a double quote or the end.
std::string_view pgn_read_word(std::string_view text, std::size_t pos);

// The value of a tag pair, from just after its name; pos ends on the closing
// double quote or at the text length when there is none. Not yet cleaned.
std::string_view pgn_read_tag_value(std::string_view text, std::size_t& pos);

// Every byte from pos up to, not including, the first "}" or the end.
std::string_view pgn_read_comment(std::string_view text, std::size_t& pos);

// "$" followed by the run of decimal digits from pos (the byte after the "$").
std::string pgn_read_nag(std::string_view text, std::size_t& pos);

// The run of SAN bytes from pos.
std::string_view pgn_read_san(std::string_view text, std::size_t& pos);

// The run of decimal digits from pos.
std::string_view pgn_read_number(std::string_view text, std::size_t pos);
