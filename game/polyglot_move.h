#pragma once

#include <cstdint>
#include <string>

// One move as a Polyglot book stores it: to square in bits 0-5, from square in
// bits 6-11, promotion piece in bits 12-14 (0 none, 1 knight, 2 bishop, 3 rook,
// 4 queen). Castling is the king moving onto its own rook, as in `Move`.
class PolyglotMove {
public:
    PolyglotMove() = default;

    // Sets the whole value (its low 16 bits).
    void set(int value);
    void clear() { m_value = 0; }

    bool operator==(const PolyglotMove& other) const = default;

    bool is_null() const { return m_value == 0; }
    int from() const { return (m_value >> 6) & 63; }
    int to() const { return m_value & 63; }
    int promotion() const { return (m_value >> 12) & 7; }
    unsigned value() const { return m_value; }

    // Each setter keeps the other fields and returns the new value;
    // set_promotion also clears the unused top bit.
    unsigned set_to(int square);
    unsigned set_from(int square);
    unsigned set_promotion(int piece);

    // Coordinate text such as "e2e4", "e7e8q" or "e1h1" (castling onto the rook).
    std::string str() const;

private:
    std::uint16_t m_value = 0;
};
