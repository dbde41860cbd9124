#include "game/polyglot_move.h"

void PolyglotMove::set(int value)
{
    m_value = static_cast<std::uint16_t>(value & 0xFFFF);
}

unsigned PolyglotMove::set_to(int square)
{
    m_value = static_cast<std::uint16_t>((m_value & ~0x003Fu) | (square & 63));
    return m_value;
}

unsigned PolyglotMove::set_from(int square)
{
    m_value = static_cast<std::uint16_t>((m_value & ~0x0FC0u) | ((square & 63) << 6));
    return m_value;
}

unsigned PolyglotMove::set_promotion(int piece)
{
    m_value = static_cast<std::uint16_t>((m_value & 0x0FFFu) | ((piece & 7) << 12));
    return m_value;
}

std::string PolyglotMove::str() const
{
    auto square_name = [](int square) {
        return std::string{static_cast<char>('a' + square % 8), static_cast<char>('1' + square / 8)};
    };
    std::string text = square_name(from()) + square_name(to());
    static constexpr char promotion_letters[] = {'n', 'b', 'r', 'q'};
    if (promotion() >= 1 && promotion() <= 4)
        text += promotion_letters[promotion() - 1];
    return text;
}
