#pragma once

#include <string>

#include "core/move.h"
#include "core/chess_position.h"
#include "core/square.h"

// A move together with the position it is played in and its text in Standard
// Algebraic Notation; converts both ways. The position is not owned: it must
// outlive the record and must not change while a conversion runs.
class SanMove {
public:
    // The null move and an empty text on the position.
    explicit SanMove(ChessPosition& position);
    // Reads the SAN text in the position; throws std::logic_error as operator=.
    SanMove(ChessPosition& position, const std::string& san);
    // Writes the move of the side to move as SAN; throws std::logic_error as operator=.
    SanMove(ChessPosition& position, const Move& move);
    // Copies the move code, the position and the text; the copy's score is 0.
    SanMove(const SanMove& other);
    SanMove& operator=(const SanMove& other) = default;

    // The reader: keeps the text as given, ignores trailing blanks, "!" and
    // "?" and one "+" or "#" (which marks a check), and finds the moving piece
    // among the pieces of the side to move that can reach the target.
    // Throws std::logic_error when no piece or more than one qualifies.
    SanMove& operator=(std::string san);
    // The writer: the move's SAN with the disambiguation it needs, "+" for a
    // move flagged as giving check and "#" for mate. The position is
    // unchanged afterwards. Throws std::logic_error when no piece can move there.
    SanMove& operator=(const Move& move);

    std::string san() const { return m_san; }

    // Whether the piece on from may go to to as far as its colour, the target's
    // occupant and a pin allow; it does not test that the piece reaches to.
    // Throws std::logic_error for an empty from square or a piece of the side
    // not to move.
    bool is_legal(const Square& from, const Square& to) const;

    Move m_move;
    ChessPosition* m_position;
    std::string m_san;

private:
    void read_castling(bool king_side, bool gives_check);
    Bitboard attackers_of(const Square& target, bool white) const;
    bool is_mate_after(const Move& move) const;
};
