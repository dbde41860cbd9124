#include "core/piece.h"

#include <array>
#include <iostream>
#include <stdexcept>

namespace {

constexpr std::array<int, 7> kind_values = {0, 100, 300, 300, 500, 900, 4000};

constexpr std::array<const char*, 15> piece_names = {
    "no piece",     "white pawn",   "white knight", "white bishop", "white rook",
    "white queen",  "white king",   nullptr,        nullptr,        "black pawn",
    "black knight", "black bishop", "black rook",   "black queen",  "black king",
};

}

int Piece::value() const
{
    if (m_code > 14 || m_code == 7 || m_code == 8) {
        std::cout << "Piece: " << m_code << '\n' << std::flush;
        throw std::logic_error("Piece::value out of range");
    }
    const int magnitude = kind_values[kind()];
    return is_black() ? -magnitude : magnitude;
}

int Piece::abs_value() const
{
    if (kind() == 7) {
        throw std::logic_error("Piece::abs_value out of range:");
    }
    return kind_values[kind()];
}

std::string Piece::name() const
{
    if (m_code >= piece_names.size() || piece_names[m_code] == nullptr) {
        throw std::logic_error("Piece::unknown piece");
    }
    return piece_names[m_code];
}
