#pragma once

#include <array>
#include <cstdint>
#include <initializer_list>
#include <string>
#include <vector>

#include "core/square.h"

// Number of set bits of a bare 64-bit word (branch-free).
constexpr int popcount(std::uint64_t x)
{
    x = x - ((x >> 1) & 0x5555555555555555ULL);
    x = (x & 0x3333333333333333ULL) + ((x >> 2) & 0x3333333333333333ULL);
    x = (x + (x >> 4)) & 0x0F0F0F0F0F0F0F0FULL;
    return static_cast<int>((x * 0x0101010101010101ULL) >> 56);
}

namespace bitboard_detail {

// Multiplying an isolated bit by this constant puts a distinct 7-bit pattern in
// the top bits for each of the 64 bits; the table maps the pattern back.
inline constexpr std::uint64_t scan_multiplier = 0x0DB8F3FB14C8C21DULL;

constexpr std::array<std::int8_t, 128> make_lowest_bit_table()
{
    std::array<std::int8_t, 128> table{};
    table[0] = 64;
    for (int i = 0; i < 64; ++i) {
        table[((std::uint64_t{1} << i) * scan_multiplier) >> 57] = static_cast<std::int8_t>(i);
    }
    return table;
}

inline constexpr std::array<std::int8_t, 128> lowest_bit_table = make_lowest_bit_table();

constexpr int scan_isolated(std::uint64_t isolated)
{
    return lowest_bit_table[(isolated * scan_multiplier) >> 57];
}

}

// A set of squares as one 64-bit word: bit n is Square n.
class Bitboard {
public:
    constexpr Bitboard() = default;
    constexpr Bitboard(std::uint64_t value) : m_value(value) {}
    // Each square's index is taken modulo 64.
    constexpr Bitboard(std::initializer_list<Square> squares)
    {
        for (Square square : squares) {
            set(square);
        }
    }

    constexpr std::uint64_t& value() { return m_value; }
    constexpr std::uint64_t value() const { return m_value; }

    constexpr void clear() { m_value = 0; }
    constexpr void set(Square square) { m_value |= std::uint64_t{1} << (square.value() & 63); }
    constexpr void reset(Square square) { m_value &= ~(std::uint64_t{1} << (square.value() & 63)); }

    // Rank 1 <-> rank 8, files kept.
    constexpr void flip_ranks()
    {
        std::uint64_t x = m_value;
        x = ((x >> 8) & 0x00FF00FF00FF00FFULL) | ((x & 0x00FF00FF00FF00FFULL) << 8);
        x = ((x >> 16) & 0x0000FFFF0000FFFFULL) | ((x & 0x0000FFFF0000FFFFULL) << 16);
        m_value = (x >> 32) | (x << 32);
    }
    // File a <-> file h, ranks kept.
    constexpr void mirror_files()
    {
        std::uint64_t x = m_value;
        x = ((x >> 1) & 0x5555555555555555ULL) | ((x & 0x5555555555555555ULL) << 1);
        x = ((x >> 2) & 0x3333333333333333ULL) | ((x & 0x3333333333333333ULL) << 2);
        m_value = ((x >> 4) & 0x0F0F0F0F0F0F0F0FULL) | ((x & 0x0F0F0F0F0F0F0F0FULL) << 4);
    }

    // The lowest member; no square (64) for the empty set.
    constexpr Square first_square() const { return Square(bitboard_detail::scan_isolated(lowest_bit())); }
    // The member of a one-square set (other sets give an unspecified square).
    constexpr Square square_of_single_bit() const { return Square(bitboard_detail::scan_isolated(m_value)); }
    // Removes and returns the lowest member; 64 for the empty set.
    constexpr Square pop_first_square() { return Square(pop_index()); }
    // Removes and returns the lowest member as a one-square set.
    constexpr Bitboard pop_first_bit()
    {
        const std::uint64_t lowest = lowest_bit();
        m_value ^= lowest;
        return Bitboard(lowest);
    }
    // Removes the lowest member and returns its index; 64 for the empty set.
    constexpr int pop_index()
    {
        const std::uint64_t lowest = lowest_bit();
        m_value ^= lowest;
        return bitboard_detail::scan_isolated(lowest);
    }

    // Members in ascending order.
    std::vector<Square> squares() const;
    constexpr int count() const { return popcount(m_value); }
    constexpr bool is_single() const { return m_value != 0 && (m_value & (m_value - 1)) == 0; }

    constexpr explicit operator bool() const { return m_value != 0; }
    constexpr bool operator==(const Bitboard&) const = default;
    constexpr bool operator<(const Bitboard& other) const { return m_value < other.m_value; }
    constexpr bool operator>(const Bitboard& other) const { return m_value > other.m_value; }

    constexpr Bitboard& operator&=(Bitboard other) { m_value &= other.m_value; return *this; }
    constexpr Bitboard& operator|=(Bitboard other) { m_value |= other.m_value; return *this; }
    constexpr Bitboard& operator^=(Bitboard other) { m_value ^= other.m_value; return *this; }
    // Shift counts are taken modulo 64, so a shift by 64 leaves the set as it is.
    constexpr Bitboard& operator<<=(int n) { m_value <<= (n & 63); return *this; }
    constexpr Bitboard& operator>>=(int n) { m_value >>= (n & 63); return *this; }

    friend constexpr Bitboard operator&(Bitboard a, Bitboard b) { return a &= b; }
    friend constexpr Bitboard operator|(Bitboard a, Bitboard b) { return a |= b; }
    friend constexpr Bitboard operator^(Bitboard a, Bitboard b) { return a ^= b; }
    friend constexpr Bitboard operator<<(Bitboard a, int n) { return a <<= n; }
    friend constexpr Bitboard operator>>(Bitboard a, int n) { return a >>= n; }
    friend constexpr Bitboard operator~(Bitboard a) { return Bitboard(~a.m_value); }

    // Hexadecimal word, then eight rows of '0'/'1' (rank 8 first, file a first).
    std::string to_string() const;
    // Writes a line break and to_string() to standard output.
    void print() const;

private:
    constexpr std::uint64_t lowest_bit() const { return m_value & (0 - m_value); }

    std::uint64_t m_value = 0;
};

constexpr Bitboard Square::file_bitboard() const
{
    return m_square < 64 ? Bitboard(0x0101010101010101ULL << file()) : Bitboard();
}

constexpr Bitboard Square::rank_bitboard() const
{
    return m_square < 64 ? Bitboard(0xFFULL << (8 * rank())) : Bitboard();
}

constexpr Bitboard Square::bit() const
{
    return m_square < 64 ? Bitboard(std::uint64_t{1} << m_square) : Bitboard();
}
