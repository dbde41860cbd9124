#include "gui/board_letters.h"

#include <sstream>
#include <stdexcept>
#include <string_view>

namespace {

constexpr std::string_view piece_letters = "PNBRQKpnbrqk";

std::logic_error syntax_error(const std::string& fen)
{
    return std::logic_error("BoardPosition::fen(" + fen + ")    syntax error");
}

std::logic_error piece_error(const std::string& fen, char character)
{
    std::ostringstream text;
    text << "ChessBoard::set_fen(" << fen << ") \nunkown piece 0x" << std::hex
         << static_cast<int>(static_cast<signed char>(character));
    return std::logic_error(text.str());
}

}

BoardLetters placement_letters(const std::string& fen)
{
    std::istringstream fields(fen);
    std::string placement;
    fields >> placement;

    BoardLetters letters(64, empty_square_letter);
    int index = 56;
    for (std::size_t position = 0; position < placement.size(); ++position) {
        const char character = placement[position];
        if (character == '/') {
            index -= 16;
            if (index < 0)
                throw syntax_error(fen);
        } else if (character >= '1' && character <= '8') {
            index += character - '0';
        } else if (piece_letters.find(character) != std::string_view::npos) {
            if (index > 63)
                throw syntax_error(fen);
            letters[index] = character;
            ++index;
        } else {
            throw piece_error(fen, character);
        }
        // The first rank (a8..h8) may leave the index just past h8 within its
        // eight characters; any later character must keep it on the board.
        if (index > 63 && position > 7)
            throw syntax_error(fen);
    }
    return letters;
}
