#include "gui/drawing_piece_code.h"

#include <stdexcept>

const std::array<const char*, image_count> image_file_names{
    "wood_l.svg",      "WhitePawn.svg",   "WhiteKnight.svg", "WhiteBishop.svg", "WhiteRook.svg",
    "WhiteQueen.svg",  "WhiteKing.svg",   "wood_d.svg",      "BlackPawn.svg",   "BlackKnight.svg",
    "BlackBishop.svg", "BlackRook.svg",   "BlackQueen.svg",  "BlackKing.svg",
};

DrawingPieceCode piece_code(char letter)
{
    switch (letter) {
    case 'P': return 1;
    case 'N': return 2;
    case 'B': return 3;
    case 'R': return 4;
    case 'Q': return 5;
    case 'K': return 6;
    case 'p': return 8;
    case 'n': return 9;
    case 'b': return 10;
    case 'r': return 11;
    case 'q': return 12;
    case 'k': return 13;
    default: throw std::logic_error("Drawing::set_parent_window(Gtk::Window*)  unknown piece");
    }
}

bool is_piece_code(DrawingPieceCode code)
{
    return code > light_square_code && code < image_count && code != dark_square_code;
}

DrawingPieceCode empty_square_code(int square)
{
    const int file = square & 7;
    const int rank = square >> 3;
    return (file + rank) % 2 == 0 ? dark_square_code : light_square_code;
}
