#pragma once

#include <string>

// The colours of one side's pieces: the filled body, its outline and the
// inner detail lines (eye, mitre slit, band edges).
struct PiecePalette {
    std::string body;
    std::string outline;
    std::string detail;
};

enum class PieceKind { pawn, knight, bishop, rook, queen, king };

// A whole SVG document (100 x 100 view box, transparent background) of one piece.
std::string piece_svg(PieceKind kind, const PiecePalette& palette);

// The knight's outline as SVG path data in the 100 x 100 view box; the logo reuses it.
std::string knight_outline();
