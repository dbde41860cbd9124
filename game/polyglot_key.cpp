#include "game/polyglot_key.h"

#include "core/fen_placement.h"
#include "core/polyglot_random.h"

#include <sstream>
#include <string_view>

namespace {

// The Polyglot piece kinds run black pawn, white pawn, black knight, ... white
// king; a piece code holds the kind in its low three bits and black in bit 3.
std::uint64_t placement_key(const FenPlacement& squares)
{
    std::uint64_t key = 0;
    for (std::size_t square = 0; square < squares.size(); ++square) {
        const std::uint32_t code = squares[square];
        if (code == 0)
            continue;
        const std::size_t kind = 2 * ((code & 7) - 1) + (code < 8 ? 1 : 0);
        key ^= polyglot_random64[64 * kind + square];
    }
    return key;
}

std::uint64_t castling_key(const std::string& castling)
{
    static constexpr std::string_view letters = "KQkq";
    std::uint64_t key = 0;
    for (char c : castling)
        if (const std::size_t index = letters.find(c); index != std::string_view::npos)
            key ^= polyglot_random64[polyglot_offsets::castling + index];
    return key;
}

}

std::uint64_t PolyglotKey::key_of_fen(const std::string& fen)
{
    std::istringstream fields(fen);
    std::string placement, side, castling, en_passant;
    fields >> placement >> side >> castling >> en_passant;

    m_key = placement_key(read_fen_placement(fen, "PolyglotKey::key_of_fen")) ^ castling_key(castling);
    if (side == "w")
        m_key ^= polyglot_random64[polyglot_offsets::side_to_move];
    if (!en_passant.empty() && en_passant[0] >= 'a' && en_passant[0] <= 'h')
        m_key ^= polyglot_random64[static_cast<std::size_t>(polyglot_offsets::en_passant + (en_passant[0] - 'a'))];
    return m_key;
}
