#include "core/bitboard.h"

#include <cstdio>
#include <iostream>

std::vector<Square> Bitboard::squares() const
{
    std::vector<Square> result;
    result.reserve(static_cast<std::size_t>(count()));
    for (Bitboard rest = *this; rest;) {
        result.push_back(rest.pop_first_square());
    }
    return result;
}

std::string Bitboard::to_string() const
{
    char hex[17];
    std::snprintf(hex, sizeof hex, "%016llx", static_cast<unsigned long long>(m_value));
    std::string text(hex);
    text += '\n';
    for (int rank = 7; rank >= 0; --rank) {
        for (int file = 0; file < 8; ++file) {
            text += ((m_value >> (8 * rank + file)) & 1) ? '1' : '0';
        }
        text += '\n';
    }
    return text;
}

void Bitboard::print() const
{
    const std::string text = to_string();
    std::cout << '\n';
    std::size_t start = 0;
    while (start < text.size()) {
        const std::size_t end = text.find('\n', start);
        std::cout << text.substr(start, end - start + 1) << std::flush;
        start = end + 1;
    }
}
