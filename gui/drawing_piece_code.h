#pragma once

#include <array>

// The index of the image that shows a square: 0 light square, 1..6 white pawn,
// knight, bishop, rook, queen, king, 7 dark square, 8..13 the black pieces.
using DrawingPieceCode = int;

constexpr DrawingPieceCode light_square_code = 0;
constexpr DrawingPieceCode dark_square_code = 7;
constexpr int image_count = 14;

// The image file of each code, under "torvane.files/svg/".
extern const std::array<const char*, image_count> image_file_names;

// The code of a FEN piece letter; throws std::logic_error for any other letter.
DrawingPieceCode piece_code(char letter);

// Whether a code shows a piece rather than an empty square.
bool is_piece_code(DrawingPieceCode code);

// The texture of an empty display square: dark where file + rank is even (a1 is dark).
DrawingPieceCode empty_square_code(int square);
