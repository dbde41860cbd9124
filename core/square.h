#pragma once

#include <cstdint>
#include <string>

class Bitboard;

// One board square: index = 8 * rank + file (a1 = 0, h1 = 7, a8 = 56, h8 = 63);
// 64 means "no square". Construction from an integer stores it unchecked.
class Square {
public:
    constexpr Square() = default;
    constexpr explicit Square(int index) : m_square(static_cast<std::uint32_t>(index)) {}
    // Reads a two-character name such as "e4"; throws std::logic_error on a bad text.
    explicit Square(const std::string& text);

    constexpr std::uint32_t& value() { return m_square; }
    constexpr std::uint32_t value() const { return m_square; }

    constexpr int file() const { return static_cast<int>(m_square % 8); }
    constexpr int rank() const { return static_cast<int>(m_square / 8); }
    constexpr int rank_index() const { return rank(); }
    constexpr int rank_from_top() const { return 7 - rank(); }
    constexpr char file_char() const { return static_cast<char>('a' + m_square % 8); }
    constexpr char rank_char() const { return static_cast<char>('1' + m_square / 8); }

    // The whole file or rank the square stands on; empty for no square.
    // Defined in core/bitboard.h, where Bitboard is complete.
    constexpr Bitboard file_bitboard() const;
    constexpr Bitboard rank_bitboard() const;
    // True for b1, d1, ..., a2, ... (file + rank odd); false for no square.
    constexpr bool is_light() const { return m_square < 64 && (file() + rank()) % 2 == 1; }
    // The one-square set; empty for no square. Defined in core/bitboard.h.
    constexpr Bitboard bit() const;

    // a1 <-> a8 and a1 <-> h1.
    constexpr Square flip_rank() const { return Square(static_cast<int>(m_square ^ 56)); }
    constexpr Square mirror_file() const
    {
        return Square(static_cast<int>((m_square & 56) + 7 - (m_square & 7)));
    }

    // "a1".."h8", "no_square" for 64; throws std::logic_error above 64.
    std::string name() const;

    constexpr bool operator==(const Square&) const = default;
    constexpr bool operator<(const Square& other) const { return signed_index() < other.signed_index(); }
    constexpr bool operator>(const Square& other) const { return signed_index() > other.signed_index(); }
    constexpr bool operator<=(const Square& other) const { return signed_index() <= other.signed_index(); }
    constexpr bool operator>=(const Square& other) const { return signed_index() >= other.signed_index(); }

    constexpr Square& operator+=(int n) { m_square += static_cast<std::uint32_t>(n); return *this; }
    constexpr Square& operator-=(int n) { m_square -= static_cast<std::uint32_t>(n); return *this; }
    constexpr Square& operator++() { ++m_square; return *this; }
    constexpr Square& operator--() { --m_square; return *this; }
    constexpr Square operator++(int) { Square old = *this; ++m_square; return old; }
    constexpr Square operator--(int) { Square old = *this; --m_square; return old; }

private:
    constexpr std::int32_t signed_index() const { return static_cast<std::int32_t>(m_square); }

    std::uint32_t m_square = 64;
};

constexpr Square operator+(Square square, int n) { return square += n; }
constexpr Square operator+(int n, Square square) { return square += n; }
constexpr Square operator-(Square square, int n) { return square -= n; }
// Kept symmetric with addition: the integer's side does not matter, both give index - n.
constexpr Square operator-(int n, Square square) { return square -= n; }
// Signed index difference.
constexpr int operator-(Square a, Square b)
{
    return static_cast<int>(a.value()) - static_cast<int>(b.value());
}
