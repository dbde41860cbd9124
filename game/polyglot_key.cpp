#include "game/polyglot_key.h"

#include "core/polyglot_random.h"

#include <sstream>
#include <string_view>

namespace {

constexpr std::string_view piece_letters = "pPnNbBrRqQkK";

std::uint64_t placement_key(const std::string& placement)
{
    std::uint64_t key = 0;
    int square = 56;
    for (char c : placement) {
        if (c == '/') {
            square -= 16;
        } else if (c >= '1' && c <= '8') {
            square += c - '0';
        } else if (const std::size_t kind = piece_letters.find(c); kind != std::string_view::npos) {
            // Squares outside the board come only from malformed text; they add nothing.
            if (square >= 0 && square < 64)
                key ^= polyglot_random64[64 * kind + static_cast<std::size_t>(square)];
            ++square;
        }
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

    m_key = placement_key(placement) ^ castling_key(castling);
    if (side == "w")
        m_key ^= polyglot_random64[polyglot_offsets::side_to_move];
    if (!en_passant.empty() && en_passant[0] >= 'a' && en_passant[0] <= 'h')
        m_key ^= polyglot_random64[static_cast<std::size_t>(polyglot_offsets::en_passant + (en_passant[0] - 'a'))];
    return m_key;
}
