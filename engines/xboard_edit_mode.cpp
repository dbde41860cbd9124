#include "engines/xboard_edit_mode.h"

#include <cstdint>

#include "core/square.h"

namespace {

void add_pieces(const ChessPosition& position, std::uint32_t colour_bit, std::vector<std::string>& lines)
{
    // Piece codes without the colour bit: 6 king, 5 queen, 4 rook, 3 bishop, 2 knight, 1 pawn.
    static constexpr char letters[] = " PNBRQK";
    for (std::uint32_t kind = 6; kind >= 1; --kind)
        for (int index = 0; index < 64; ++index) {
            const Square square(index);
            if (position.piece_on(square).code() == (kind | colour_bit)) {
                std::string line(1, letters[kind]);
                line += square.name();
                lines.push_back(line);
            }
        }
}

}

std::vector<std::string> xboard_edit_commands(const ChessPosition& position)
{
    std::vector<std::string> lines = {"edit", "#"};
    add_pieces(position, 0, lines);
    lines.push_back("c");
    add_pieces(position, 8, lines);
    lines.push_back(".");
    return lines;
}
