#include "piece_drawings.h"

#include <sstream>

namespace {

// Every piece stands on the same foot, so a row of pieces lines up on the board.
const char* const foot = "M22,82 H78 V88 Q78,91 75,91 H25 Q22,91 22,88 Z";

class PieceWriter {
public:
    explicit PieceWriter(const PiecePalette& palette) : m_palette(palette) {}

    void shape(const std::string& path)
    {
        m_body << "  <path d=\"" << path << "\" fill=\"" << m_palette.body << "\" stroke=\""
               << m_palette.outline << "\" stroke-width=\"3\" stroke-linejoin=\"round\"/>\n";
    }

    void ball(int x, int y, double radius)
    {
        m_body << "  <circle cx=\"" << x << "\" cy=\"" << y << "\" r=\"" << radius << "\" fill=\""
               << m_palette.body << "\" stroke=\"" << m_palette.outline << "\" stroke-width=\"3\"/>\n";
    }

    void line(const std::string& path)
    {
        m_body << "  <path d=\"" << path << "\" fill=\"none\" stroke=\"" << m_palette.detail
               << "\" stroke-width=\"2.5\" stroke-linecap=\"round\" stroke-linejoin=\"round\"/>\n";
    }

    void dot(int x, int y, double radius)
    {
        m_body << "  <circle cx=\"" << x << "\" cy=\"" << y << "\" r=\"" << radius << "\" fill=\""
               << m_palette.detail << "\"/>\n";
    }

    std::string document() const
    {
        return "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
               "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"100\" height=\"100\" viewBox=\"0 0 100 100\">\n"
               + m_body.str() + "</svg>\n";
    }

private:
    PiecePalette m_palette;
    std::ostringstream m_body;
};

void draw_pawn(PieceWriter& piece)
{
    piece.shape("M41,50 C43,58 40,68 31,82 H69 C60,68 57,58 59,50 Z");
    piece.shape(foot);
    piece.shape("M36,45 H64 Q67,45 67,48 V50 Q67,53 64,53 H36 Q33,53 33,50 V48 Q33,45 36,45 Z");
    piece.ball(50, 31, 13);
}

void draw_knight(PieceWriter& piece)
{
    piece.shape(knight_outline());
    piece.shape(foot);
    piece.line("M55,24 C64,29 70,40 70,57");
    piece.dot(40, 35, 3);
    piece.dot(22, 57, 2);
}

void draw_bishop(PieceWriter& piece)
{
    piece.shape("M40,64 C40,72 35,77 30,82 H70 C65,77 60,72 60,64 Z");
    piece.shape(foot);
    piece.shape("M50,17 C38,27 31,37 33,47 C35,55 42,59 50,59 C58,59 65,55 67,47 C69,37 62,27 50,17 Z");
    piece.shape("M35,58 H65 Q68,58 68,61 V63 Q68,66 65,66 H35 Q32,66 32,63 V61 Q32,58 35,58 Z");
    piece.ball(50, 12, 5.5);
    piece.line("M57,31 L46,45");
}

void draw_rook(PieceWriter& piece)
{
    piece.shape("M35,71 L37,38 H63 L65,71 Z");
    piece.shape("M27,72 H73 V82 H27 Z");
    piece.shape(foot);
    piece.shape("M26,14 H36 V21 H45 V14 H55 V21 H64 V14 H74 V32 L68,39 H32 L26,32 Z");
    piece.line("M28,32 H72");
    piece.line("M36,71 H64");
}

void draw_queen(PieceWriter& piece)
{
    piece.shape("M33,68 C34,74 31,78 27,82 H73 C69,78 66,74 67,68 Z");
    piece.shape(foot);
    piece.shape("M30,64 L20,29 L34,47 L35,21 L45,44 L50,16 L55,44 L65,21 L66,47 L80,29 L70,64 Z");
    piece.shape("M32,61 H68 Q71,61 71,64 V67 Q71,70 68,70 H32 Q29,70 29,67 V64 Q29,61 32,61 Z");
    piece.ball(20, 27, 5);
    piece.ball(35, 19, 5);
    piece.ball(50, 14, 5);
    piece.ball(65, 19, 5);
    piece.ball(80, 27, 5);
}

void draw_king(PieceWriter& piece)
{
    piece.shape("M33,68 C34,74 31,78 27,82 H73 C69,78 66,74 67,68 Z");
    piece.shape(foot);
    piece.shape("M46,4 H54 V11 H61 V19 H54 V44 H46 V19 H39 V11 H46 Z");
    piece.shape("M29,63 C17,52 21,33 36,33 C43,33 48,38 50,44 C52,38 57,33 64,33 "
                "C79,33 83,52 71,63 Z");
    piece.shape("M32,60 H68 Q71,60 71,63 V66 Q71,69 68,69 H32 Q29,69 29,66 V63 Q29,60 32,60 Z");
    piece.line("M50,46 V59");
}

}

std::string knight_outline()
{
    return "M30,82 C32,71 39,63 43,56 L28,63 C21,66 14,61 15,55 C16,50 19,47 23,44 "
           "L37,27 L40,10 L50,19 C66,19 79,35 79,56 L77,82 Z";
}

std::string piece_svg(PieceKind kind, const PiecePalette& palette)
{
    PieceWriter piece(palette);
    switch (kind) {
    case PieceKind::pawn: draw_pawn(piece); break;
    case PieceKind::knight: draw_knight(piece); break;
    case PieceKind::bishop: draw_bishop(piece); break;
    case PieceKind::rook: draw_rook(piece); break;
    case PieceKind::queen: draw_queen(piece); break;
    case PieceKind::king: draw_king(piece); break;
    }
    return piece.document();
}
