#include "core/move.h"

#include <array>

namespace {

constexpr std::array<const char*, 8> kind_names = {
    "nullmove", "normal_move", "promo_queen", "promo_rook",
    "promo_bishop", "promo_knight", "castling", "en_passant",
};

constexpr std::array<const char*, 16> xkind_names = {
    "hashtable_move", "mate_attack", "promotion", "threat_move",
    "extended_move", "good_capture", "safe_check", "killer",
    "castle", "counter_move", "checking move", "pawn_race",
    "losing_capture", "historical_move", "xnormal_move", "no_xmove_t",
};

}

std::string Move::to_string(bool king_takes_rook) const
{
    if (m_code == 0) {
        return "0000";
    }
    std::string text = from().name() + to().name();
    switch (kind()) {
    case promo_queen: return text + 'q';
    case promo_rook: return text + 'r';
    case promo_bishop: return text + 'b';
    case promo_knight: return text + 'n';
    case castling:
        if (!king_takes_rook) {
            // Engines expect standard castling as the king's two-square step.
            if (text == "e1h1") return "e1g1";
            if (text == "e1a1") return "e1c1";
            if (text == "e8h8") return "e8g8";
            if (text == "e8a8") return "e8c8";
        }
        return text;
    default: return text;
    }
}

std::string Move::dump() const
{
    return "from:" + from().name() + "  to:" + to().name() + "  code:" + kind_names[kind()] + "  piece:"
        + moving_piece().name() + "  capture:" + captured_piece().name() + "  check:"
        + (gives_check() ? "true" : "false") + "   xcode:" + xkind_name();
}

std::string Move::xkind_name() const
{
    const std::uint32_t index = m_code >> 24;
    return index < xkind_names.size() ? xkind_names[index] : "";
}

std::ostream& operator<<(std::ostream& stream, const Move& move)
{
    return stream << move.to_string(false);
}
