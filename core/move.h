#pragma once

#include <cstdint>
#include <ostream>
#include <string>

#include "core/piece.h"
#include "core/square.h"

// What a move does on the board (3 bits of the move code).
enum MoveKind : int {
    nullmove = 0,
    normal_move = 1,
    promo_queen = 2,
    promo_rook = 3,
    promo_bishop = 4,
    promo_knight = 5,
    castling = 6,
    en_passant = 7,
};

// Ordering class of a move: a smaller value is tried earlier.
enum xmove_t : int {
    hashtable_move = 0,
    mate_attack = 1,
    promotion = 2,
    threat_move = 3,
    extended_move = 4,
    good_capture = 5,
    safe_check = 6,
    killer = 7,
    castle = 8,
    counter_move = 9,
    checking_move = 10,
    pawn_race = 11,
    losing_capture = 12,
    historical_move = 13,
    xnormal_move = 14,
    no_xmove_t = 15,
};

// One move packed in 32 bits (to 0-5, from 6-11, kind 12-14, gives check 15,
// captured piece 16-19, moving piece 20-23, ordering class 24-31) plus a score.
// Castling is stored as the king taking its own rook. Code 0 is "no move".
class Move {
public:
    constexpr Move() = default;
    // Builds a move with ordering class xnormal_move, no check mark and score 0.
    constexpr Move(Square from, Square to, MoveKind kind, Piece moving, Piece captured)
        : Move(from, to, static_cast<int>(kind), static_cast<int>(moving.code()), static_cast<int>(captured.code()))
    {
    }
    constexpr Move(Square from, Square to, int kind, int moving_code, int captured_code)
        : m_code(pack(from, to, kind, moving_code, captured_code))
    {
    }

    // Makes this the null move (code 0, score 0).
    void clear() { m_code = 0; m_score = 0; }

    std::uint32_t code() const { return m_code; }
    // Both give no square (64) for the null move.
    Square from() const { return m_code == 0 ? Square() : Square(static_cast<int>((m_code >> 6) & 63)); }
    Square to() const { return m_code == 0 ? Square() : Square(static_cast<int>(m_code & 63)); }
    MoveKind kind() const { return static_cast<MoveKind>((m_code >> 12) & 7); }
    xmove_t xkind() const { return static_cast<xmove_t>(m_code >> 24); }
    int moving_piece_code() const { return static_cast<int>((m_code >> 20) & 15); }
    int captured_piece_code() const { return static_cast<int>((m_code >> 16) & 15); }
    Piece moving_piece() const { return Piece(static_cast<std::uint32_t>(moving_piece_code())); }
    Piece captured_piece() const { return Piece(static_cast<std::uint32_t>(captured_piece_code())); }
    bool gives_check() const { return (m_code >> 15) & 1; }

    void set_from(Square from) { store(6, 63, from.value()); }
    void set_to(Square to) { store(0, 63, to.value()); }
    void set_kind(MoveKind kind) { store(12, 7, static_cast<std::uint32_t>(kind)); }
    void set_xkind(xmove_t xkind) { store(24, 255, static_cast<std::uint32_t>(xkind)); }
    void set_moving_piece(Piece piece) { store(20, 15, piece.code()); }
    void set_moving_piece_code(int code) { store(20, 15, static_cast<std::uint32_t>(code)); }
    void set_captured_piece(Piece piece) { store(16, 15, piece.code()); }
    void set_captured_code(int code) { store(16, 15, static_cast<std::uint32_t>(code)); }
    void set_gives_check(bool gives_check) { store(15, 1, gives_check ? 1 : 0); }

    std::int32_t& score() { return m_score; }
    std::int32_t score() const { return m_score; }
    void set_score(std::int32_t score) { m_score = score; }
    void add_score(std::int32_t amount) { m_score += amount; }

    // Equal when squares, kind, check mark and pieces agree (ordering class and score are ignored).
    bool operator==(const Move& other) const { return operator==(other.m_code); }
    bool operator==(std::uint32_t other_code) const { return ((m_code ^ other_code) & 0xFFFFFF) == 0; }
    // a < b when b should be tried first: smaller ordering class, then higher score.
    bool operator<(const Move& other) const
    {
        return xkind() != other.xkind() ? xkind() > other.xkind() : m_score < other.m_score;
    }

    // Coordinate text ("e2e4", "e7e8q", "0000" for no move). Standard castling is
    // written as the king's two-square move unless king_takes_rook is true.
    std::string to_string(bool king_takes_rook = false) const;
    // Every field as text, for debugging; throws std::logic_error for a piece code naming no piece.
    std::string dump() const;
    // The name of the ordering class; empty above 15.
    std::string xkind_name() const;

private:
    // The code of a fresh move: the fields in their bit positions, ordering class xnormal_move.
    static constexpr std::uint32_t pack(Square from, Square to, int kind, int moving_code, int captured_code)
    {
        const std::uint32_t fields = (to.value() & 63) | ((from.value() << 6) & 0xFC0)
            | (static_cast<std::uint32_t>(kind) << 12) | (static_cast<std::uint32_t>(captured_code) << 16)
            | (static_cast<std::uint32_t>(moving_code) << 20);
        return (fields & 0xFFFFFF) | (static_cast<std::uint32_t>(xnormal_move) << 24);
    }

    void store(int shift, std::uint32_t mask, std::uint32_t value)
    {
        m_code = (m_code & ~(mask << shift)) | ((value & mask) << shift);
    }

    std::uint32_t m_code = 0;
    std::int32_t m_score = 0;
};

std::ostream& operator<<(std::ostream& stream, const Move& move);
