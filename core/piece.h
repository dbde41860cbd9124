#pragma once

#include <cstdint>
#include <string>
#include <string_view>

// A piece code: 0 none, 1..6 white pawn, knight, bishop, rook, queen, king,
// 9..14 the same for black (bit 3 is the colour, code & 7 the kind).
class Piece {
public:
    constexpr Piece() = default;
    constexpr explicit Piece(std::uint32_t code) : m_code(code) {}

    constexpr std::uint32_t& code() { return m_code; }
    constexpr std::uint32_t code() const { return m_code; }

    constexpr explicit operator bool() const { return m_code != 0; }
    constexpr bool operator==(const Piece&) const = default;

    constexpr bool is_empty() const { return m_code == 0; }
    constexpr bool is_black() const { return (m_code & 8) != 0; }
    // Also true for the empty code: test is_empty() first where it matters.
    constexpr bool is_white() const { return (m_code & 8) == 0; }

    constexpr bool is_pawn() const { return kind() == 1; }
    constexpr bool is_knight() const { return kind() == 2; }
    constexpr bool is_bishop() const { return kind() == 3; }
    constexpr bool is_rook() const { return kind() == 4; }
    constexpr bool is_queen() const { return kind() == 5; }
    constexpr bool is_king() const { return kind() == 6; }

    constexpr bool is_white_pawn() const { return m_code == 1; }
    constexpr bool is_white_knight() const { return m_code == 2; }
    constexpr bool is_white_bishop() const { return m_code == 3; }
    constexpr bool is_white_rook() const { return m_code == 4; }
    constexpr bool is_white_queen() const { return m_code == 5; }
    constexpr bool is_white_king() const { return m_code == 6; }
    constexpr bool is_black_pawn() const { return m_code == 9; }
    constexpr bool is_black_knight() const { return m_code == 10; }
    constexpr bool is_black_bishop() const { return m_code == 11; }
    constexpr bool is_black_rook() const { return m_code == 12; }
    constexpr bool is_black_queen() const { return m_code == 13; }
    constexpr bool is_black_king() const { return m_code == 14; }

    constexpr void set_white_pawn() { m_code = 1; }
    constexpr void set_white_knight() { m_code = 2; }
    constexpr void set_white_bishop() { m_code = 3; }
    constexpr void set_white_rook() { m_code = 4; }
    constexpr void set_white_queen() { m_code = 5; }
    constexpr void set_white_king() { m_code = 6; }
    constexpr void set_black_pawn() { m_code = 9; }
    constexpr void set_black_knight() { m_code = 10; }
    constexpr void set_black_bishop() { m_code = 11; }
    constexpr void set_black_rook() { m_code = 12; }
    constexpr void set_black_queen() { m_code = 13; }
    constexpr void set_black_king() { m_code = 14; }
    constexpr void set_none() { m_code = 0; }

    // Signed value: positive for white, negative for black, 0 for no piece;
    // throws std::logic_error for a code that names no piece.
    int value() const;
    // Value of the kind without sign (king 4000); throws for kind 7.
    int abs_value() const;
    // "white pawn", "black king", "no piece", ...; throws for codes 7, 8 and above 14.
    std::string name() const;

private:
    constexpr std::uint32_t kind() const { return m_code & 7; }

    std::uint32_t m_code = 0;
};

// FEN letters indexed by piece code; '.' where a code names no piece.
inline constexpr std::string_view piece_letters = ".PNBRQK..pnbrqk";

// The piece a FEN letter names; the empty piece for any other character.
constexpr Piece piece_of_letter(char letter)
{
    const std::size_t code = letter == '.' ? std::string_view::npos : piece_letters.find(letter);
    return code == std::string_view::npos ? Piece() : Piece(static_cast<std::uint32_t>(code));
}
