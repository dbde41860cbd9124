#pragma once

#include <cstddef>
#include <string_view>

// Where the PGN game reader stands within a game: between tag pairs, inside
// a tag pair, in a comment among the tags, between moves, or in a comment
// among the moves.
enum class PgnReadState { tags, tag_text, tag_comment, movetext, comment };

// The reader's place: its state, and inside a tag pair whether a quoted value
// is open and how many bytes the pair has so far.
struct PgnReadPlace {
    PgnReadState state = PgnReadState::tag_text;
    bool in_quotes = false;
    std::size_t tag_length = 0;
};

// Takes the byte c, which followed the byte last, when the reader keeps it
// in the game as it stands (moving to a tag, a comment or back, opening or
// closing a quote, counting a tag's bytes): true. False, with the place
// unchanged, for every byte the reader handles otherwise: a byte above 127, a
// digit or "*" that may start a termination marker or the movetext, a "[" that
// starts a line among the moves, a tag pair grown too long. Carriage returns
// and escape lines are the caller's.
bool take_plain_byte(PgnReadPlace& place, char c, char last);

// How many bytes at the start of bytes the reader takes one after another
// with take_plain_byte, from place on when the byte before them was last;
// place is moved over them. The run ends before a carriage return, an escape
// line and the first byte take_plain_byte refuses, and never between a digit
// that may start a termination marker and the byte after it, which the
// marker look-ahead takes along unexamined. Plain bytes are found a block at
// a time, so long runs cost little.
std::size_t plain_run(std::string_view bytes, char last, PgnReadPlace& place);
