#include "core/square.h"

#include <stdexcept>

Square::Square(const std::string& text)
{
    if (text.size() != 2) {
        throw std::logic_error("Square::Square(string)  size() error");
    }
    const auto file_offset = static_cast<std::int8_t>(text[0] - 'a');
    const auto rank_offset = static_cast<std::int8_t>(text[1] - '1');
    const int index = file_offset + 8 * rank_offset;
    if (static_cast<unsigned>(index) > 63) {
        throw std::logic_error("Square::Square(string)  out of range");
    }
    m_square = static_cast<std::uint32_t>(index);
}

std::string Square::name() const
{
    if (m_square < 64) {
        return std::string{file_char(), rank_char()};
    }
    if (m_square == 64) {
        return "no_square";
    }
    throw std::logic_error("Square::name()const m_square=" + std::to_string(static_cast<std::int32_t>(m_square)));
}
