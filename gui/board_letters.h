#pragma once

#include <string>
#include <vector>

// What a board shows, square by square (a1 = 0 ... h8 = 63): the FEN letters
// P N B R Q K and p n b r q k, or '?' for an empty square.
using BoardLetters = std::vector<char>;

constexpr char empty_square_letter = '?';

// The 64 letters of the piece placement (first field) of a FEN text. Missing
// squares stay empty; throws std::logic_error on an unknown character or a
// placement that runs off the board.
BoardLetters placement_letters(const std::string& fen);
