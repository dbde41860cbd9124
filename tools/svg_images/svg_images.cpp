// Writes the program's images into the directory given as the only argument
// (the repository keeps the result in torvane.files/svg/).

#include "piece_drawings.h"

#include <array>
#include <fstream>
#include <iostream>
#include <sstream>
#include <stdexcept>
#include <string>

namespace {

const PiecePalette white_pieces{"#fbf8ef", "#1c1c1c", "#1c1c1c"};
const PiecePalette black_pieces{"#262626", "#ececec", "#d4d4d4"};

struct PieceFile {
    PieceKind kind;
    const char* name;
};

const std::array<PieceFile, 6> piece_files{{
    {PieceKind::pawn, "Pawn"},
    {PieceKind::knight, "Knight"},
    {PieceKind::bishop, "Bishop"},
    {PieceKind::rook, "Rook"},
    {PieceKind::queen, "Queen"},
    {PieceKind::king, "King"},
}};

std::string svg_document(int size, const std::string& body)
{
    std::ostringstream text;
    text << "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
         << "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"" << size << "\" height=\"" << size
         << "\" viewBox=\"0 0 100 100\">\n"
         << body << "</svg>\n";
    return text.str();
}

// A square of wood: the base colour fills it completely (the board is painted
// from these textures alone), a few soft grain lines run across it.
std::string wood_svg(const std::string& base, const std::string& grain)
{
    static const std::array<const char*, 6> grain_lines{
        "M0,9 C22,5 41,15 63,10 S90,6 100,11",
        "M0,27 C18,31 37,22 58,27 S86,33 100,26",
        "M0,44 C25,40 45,49 70,44 S92,40 100,45",
        "M0,61 C20,66 42,57 61,62 S88,67 100,60",
        "M0,78 C24,74 43,83 66,78 S90,73 100,79",
        "M0,93 C19,97 40,89 60,94 S87,98 100,92",
    };
    std::ostringstream body;
    body << "  <rect x=\"0\" y=\"0\" width=\"100\" height=\"100\" fill=\"" << base << "\"/>\n";
    for (const char* line : grain_lines)
        body << "  <path d=\"" << line << "\" fill=\"none\" stroke=\"" << grain
             << "\" stroke-width=\"2\" stroke-opacity=\"0.45\"/>\n";
    return svg_document(100, body.str());
}

// Navigation buttons: a round-cornered triangle, with a bar where the move list ends.
std::string navigation_svg(bool forward, bool to_end)
{
    const std::string colour = "#2f4f7f";
    std::ostringstream body;
    const std::string triangle = forward ? "M30,18 L78,50 L30,82 Z" : "M70,18 L22,50 L70,82 Z";
    body << "  <path d=\"" << triangle << "\" fill=\"" << colour << "\" stroke=\"" << colour
         << "\" stroke-width=\"8\" stroke-linejoin=\"round\"/>\n";
    if (to_end) {
        const int bar_x = forward ? 80 : 8;
        body << "  <rect x=\"" << bar_x << "\" y=\"14\" width=\"12\" height=\"72\" rx=\"3\" fill=\""
             << colour << "\"/>\n";
    }
    return svg_document(32, body.str());
}

// The About dialog's logo: a white knight on a four-by-four patch of the board.
std::string logo_svg()
{
    std::ostringstream body;
    body << "  <defs><clipPath id=\"edge\"><rect x=\"2\" y=\"2\" width=\"96\" height=\"96\" rx=\"14\"/>"
            "</clipPath></defs>\n  <g clip-path=\"url(#edge)\">\n";
    for (int row = 0; row < 4; ++row)
        for (int column = 0; column < 4; ++column)
            body << "    <rect x=\"" << 2 + 24 * column << "\" y=\"" << 2 + 24 * row
                 << "\" width=\"24\" height=\"24\" fill=\""
                 << ((row + column) % 2 == 0 ? "#e9c794" : "#a0683a") << "\"/>\n";
    body << "  </g>\n"
         << "  <rect x=\"2\" y=\"2\" width=\"96\" height=\"96\" rx=\"14\" fill=\"none\" stroke=\"#3b2414\" "
            "stroke-width=\"3\"/>\n"
         << "  <path transform=\"translate(10,6) scale(0.82)\" d=\"" << knight_outline()
         << "\" fill=\"#fbf8ef\" stroke=\"#1c1c1c\" stroke-width=\"4\" stroke-linejoin=\"round\"/>\n"
         << "  <circle cx=\"42.8\" cy=\"34.7\" r=\"2.6\" fill=\"#1c1c1c\"/>\n";
    return svg_document(128, body.str());
}

void write_file(const std::string& directory, const std::string& name, const std::string& text)
{
    const std::string path = directory + "/" + name;
    std::ofstream file(path);
    file << text;
    file.close();
    if (!file)
        throw std::runtime_error("svg_images: cannot write " + path);
}

}

int main(int argc, char* argv[])
{
    if (argc != 2) {
        std::cerr << "usage: svg_images <directory>\n";
        return 2;
    }
    const std::string directory = argv[1];
    try {
        for (const PieceFile& piece : piece_files) {
            write_file(directory, std::string("White") + piece.name + ".svg", piece_svg(piece.kind, white_pieces));
            write_file(directory, std::string("Black") + piece.name + ".svg", piece_svg(piece.kind, black_pieces));
        }
        write_file(directory, "wood_l.svg", wood_svg("#e9c794", "#c49358"));
        write_file(directory, "wood_d.svg", wood_svg("#a0683a", "#6f4220"));
        write_file(directory, "goto_first.svg", navigation_svg(false, true));
        write_file(directory, "go_backward.svg", navigation_svg(false, false));
        write_file(directory, "go_forward.svg", navigation_svg(true, false));
        write_file(directory, "goto_last.svg", navigation_svg(true, true));
        write_file(directory, "logo.svg", logo_svg());
    } catch (const std::exception& error) {
        std::cerr << error.what() << '\n';
        return 1;
    }
    return 0;
}
