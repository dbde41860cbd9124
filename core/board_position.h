#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "core/bitboard.h"
#include "core/move.h"
#include "core/square.h"

// The placement of one position: a set per piece code, seven sets derived from
// them, a mailbox of piece codes and the side to move (1 white, 0 black).
// It knows nothing of castling rights, en passant or clocks.
class BoardPosition {
public:
    // An empty board with white to move.
    BoardPosition() { clear(); }

    // Empties the board and gives the move to white.
    void clear();
    // Add or take away one piece (square 0..63, code 1..6 or 9..14) without
    // touching the derived sets; call update_derived() when done.
    void put_piece(const Square& square, int code);
    void remove_piece(const Square& square, int code);
    void update_derived();

    // Apply or take back a move whose pieces match the board; nothing is checked.
    void make_move(const Move& move);
    void unmake_move(const Move& move);

    // Colours exchanged and the board turned over (side to move flips too).
    void flip_colours();
    // Files a <-> h; the side to move stays.
    void mirror_files();

    // Places the pieces of a FEN text's first field and takes the side from its
    // second; throws std::logic_error on a malformed placement.
    void fen(const std::string& text);
    // Debug text: the side to move and every piece set.
    std::string print() const;

    // Same side to move and same piece sets.
    bool operator==(const BoardPosition& other) const;
    // 0 when equal, 1 otherwise.
    int compare(const BoardPosition& other) const { return *this == other ? 0 : 1; }

    std::uint32_t& side_to_move() { return m_side_to_move; }
    std::uint32_t side_to_move() const { return m_side_to_move; }
    void set_white_to_move() { m_side_to_move = 1; }
    void set_black_to_move() { m_side_to_move = 0; }
    void toggle_side_to_move() { m_side_to_move ^= 1; }

    Bitboard& pieces(int code) { return m_pieces[code]; }
    const Bitboard& pieces(int code) const { return m_pieces[code]; }
    Bitboard& white_pawns() { return m_pieces[1]; }
    Bitboard& white_knights() { return m_pieces[2]; }
    Bitboard& white_bishops() { return m_pieces[3]; }
    Bitboard& white_rooks() { return m_pieces[4]; }
    Bitboard& white_queens() { return m_pieces[5]; }
    Bitboard& white_king() { return m_pieces[6]; }
    Bitboard& black_pawns() { return m_pieces[9]; }
    Bitboard& black_knights() { return m_pieces[10]; }
    Bitboard& black_bishops() { return m_pieces[11]; }
    Bitboard& black_rooks() { return m_pieces[12]; }
    Bitboard& black_queens() { return m_pieces[13]; }
    Bitboard& black_king() { return m_pieces[14]; }
    const Bitboard& white_pawns() const { return m_pieces[1]; }
    const Bitboard& white_knights() const { return m_pieces[2]; }
    const Bitboard& white_bishops() const { return m_pieces[3]; }
    const Bitboard& white_rooks() const { return m_pieces[4]; }
    const Bitboard& white_queens() const { return m_pieces[5]; }
    const Bitboard& white_king() const { return m_pieces[6]; }
    const Bitboard& black_pawns() const { return m_pieces[9]; }
    const Bitboard& black_knights() const { return m_pieces[10]; }
    const Bitboard& black_bishops() const { return m_pieces[11]; }
    const Bitboard& black_rooks() const { return m_pieces[12]; }
    const Bitboard& black_queens() const { return m_pieces[13]; }
    const Bitboard& black_king() const { return m_pieces[14]; }

    const Bitboard& white_non_pawns() const { return m_derived[0]; }
    const Bitboard& black_non_pawns() const { return m_derived[1]; }
    const Bitboard& white_pieces() const { return m_derived[2]; }
    const Bitboard& black_pieces() const { return m_derived[3]; }
    const Bitboard& diagonal_sliders() const { return m_derived[4]; }
    const Bitboard& orthogonal_sliders() const { return m_derived[5]; }
    const Bitboard& occupied() const { return m_derived[6]; }

    // The piece code on a square 0..63 (0 when empty).
    std::uint32_t& piece_at(const Square& square) { return m_squares[square.value()]; }
    std::uint32_t piece_at(const Square& square) const { return m_squares[square.value()]; }

private:
    void place(int code, Square square);
    void take_away(int code, Square square);

    std::array<Bitboard, 7> m_derived{};
    // Indexed by piece code; entries 0, 7 and 8 stay empty between operations.
    std::array<Bitboard, 15> m_pieces{};
    std::array<std::uint32_t, 64> m_squares{};
    std::uint32_t m_side_to_move = 1;
};
