#pragma once

#include <cstddef>

// Bounds on one game of PGN text. Reading a game takes memory in proportion to
// its text, so the text of one game is bounded; within that bound a comment may
// have any length. Real games stay far below both bounds.

// The longest text of one game that is read: the file reader refuses a game that
// reaches it as damaged, and the game record refuses a longer text.
inline constexpr std::size_t max_game_bytes = std::size_t{4} << 20;

// The longest tag value that is read, and the longest tag pair between "[" and
// "]" that the file reader accepts, so that no value read from a file is cut.
inline constexpr std::size_t max_tag_value_bytes = 4096;
