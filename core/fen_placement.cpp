#include "core/fen_placement.h"

#include "core/piece.h"

#include <sstream>
#include <stdexcept>

namespace {

constexpr std::uint32_t white_pawn_code = 1;
constexpr std::uint32_t white_king_code = 6;
constexpr std::uint32_t black_pawn_code = 9;
constexpr std::uint32_t black_king_code = 14;
constexpr int max_pieces_per_side = 16;
constexpr int max_pawns_per_side = 8;

struct SideCount {
    int pieces = 0;
    int pawns = 0;
    int kings = 0;
};

std::logic_error unknown_piece(const std::string& fen, const std::string& operation, char c)
{
    std::ostringstream message;
    message << operation << "(" << fen << ") \nunkown piece 0x" << std::hex
            << static_cast<std::uint32_t>(static_cast<std::int32_t>(static_cast<std::int8_t>(c)));
    return std::logic_error(message.str());
}

// Counts the piece for its side and refuses what no position of a game can hold.
void count_piece(std::uint32_t code, int rank, SideCount& side, const std::string& operation)
{
    const bool white = code < 8;
    const std::string colour = white ? "white" : "black";
    const bool pawn = code == white_pawn_code || code == black_pawn_code;
    if (pawn && (rank == 0 || rank == 7))
        throw std::logic_error(operation + "   error: " + colour + " pawn on wrong square");
    if ((code == white_king_code || code == black_king_code) && ++side.kings > 1)
        throw std::logic_error(operation + "   error: too many " + colour + " kings");
    if (++side.pieces > max_pieces_per_side)
        throw std::logic_error(operation + "   error: more than 16 " + colour + " pieces");
    if (pawn && ++side.pawns > max_pawns_per_side)
        throw std::logic_error(operation + "   error: more than 8 " + colour + " pawns");
}

}

FenPlacement read_fen_placement(const std::string& fen, const std::string& operation)
{
    std::istringstream words(fen);
    std::string placement;
    words >> placement;
    const std::logic_error syntax_error(operation + "(" + fen + ")    syntax error");

    FenPlacement squares{};
    SideCount white;
    SideCount black;
    int rank = 7;
    int file = 0;
    for (const char c : placement) {
        if (c == '/') {
            if (file != 8 || rank == 0)
                throw syntax_error;
            --rank;
            file = 0;
        } else if (c >= '1' && c <= '8') {
            file += c - '0';
            if (file > 8)
                throw syntax_error;
        } else if (const std::uint32_t code = piece_of_letter(c).code(); code != 0) {
            if (file == 8)
                throw syntax_error;
            count_piece(code, rank, code < 8 ? white : black, operation);
            squares[static_cast<std::size_t>(8 * rank + file)] = code;
            ++file;
        } else {
            throw unknown_piece(fen, operation, c);
        }
    }
    if (rank != 0 || file != 8)
        throw syntax_error;
    return squares;
}
