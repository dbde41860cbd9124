#pragma once

#include <array>
#include <string>
#include <vector>

#include "core/attack_tables.h"
#include "core/bitboard.h"
#include "core/move.h"
#include "core/position_core.h"
#include "core/square.h"

// A complete chess position: the history-keeping core plus a picture of which
// squares every piece attacks, kept current by every set-up, move and
// take-back. A plain value: copies are independent and cheap, since the attack
// and geometry tables are built once per process and shared.
class ChessPosition : public PositionCore {
public:
    // The empty board.
    ChessPosition();

    // Set-ups; each restarts the history and rebuilds the attack information.
    void clear();
    void set_start_position();
    // Reads FEN or EPD text. On a bad text the position stays as it was and
    // std::logic_error carries the reader's message.
    void set_fen(const std::string& text);
    // The same as set_fen; the writer fen() is PositionCore's.
    void fen(const std::string& text) { set_fen(text); }
    using PositionCore::fen;
    // Colours exchanged and the board turned over; throws std::logic_error, leaving
    // the position as it was, when the result cannot be read back (no kings).
    void flip_colours();
    // Files a <-> h; throws like flip_colours.
    void mirror_files();
    // Chess960 start position `number` (0..959, RNBQKBNR is 385); a larger number
    // (or a negative one passed as signed) picks one at random. White to move,
    // both sides may castle with both rooks; the Chess960 flag is left as it is.
    void setup_chess960(std::uint32_t number);
    // setup_chess960, then the attack information.
    void set_chess960_position(std::uint32_t number);

    // Makes a legal move of the side to move.
    void make_move(const Move& move);
    // Takes back the last move; throws std::logic_error when no move was made since the set-up.
    void take_back();

    // Full rebuild and incremental update (after a move was made or taken back on the board).
    void compute_attack_info();
    void update_attack_info(const Move& move);
    // Rewrites the attack and x-ray entries of one square from the piece on it.
    void compute_square_attacks(const Square& square);
    void update_white_pawn_attacks();
    void update_black_pawn_attacks();
    void white_knight_attacks();
    void black_knight_attacks();
    void update_white_bishop_attacks();
    void update_black_bishop_attacks();
    void update_white_rook_attacks();
    void update_black_rook_attacks();
    void update_white_queen_attacks();
    void update_black_queen_attacks();
    Bitboard white_king_attacks();
    Bitboard black_king_attacks();

    // The pieces of one side attacking a square; empty for no square (64).
    Bitboard white_attackers_of(const Square& square) const;
    Bitboard black_attackers_of(const Square& square) const;
    // Pieces of both sides attacking any of the targets, sliders with their x-rays.
    Bitboard attackers_to(const Bitboard& targets);
    // The side to move's king is attacked.
    bool in_check() const;
    // The side to move is checkmated.
    bool is_checkmate() const;
    // Static exchange value of a move of the side to move, in centipawns.
    int see(const Move& move);

    // A move from the board's pieces: castling when a king moves onto its own rook,
    // en passant when a pawn steps diagonally onto an empty square behind an enemy
    // pawn; the null move when from == to or from is empty. Legality is not checked.
    Move create_move(const Square& from, const Square& to, int kind) const;
    // Reads coordinate text ("e2e4", "e7e8q", "e1g1" or "e1h1" for castling) into a
    // move of this position, with its check mark; throws std::logic_error on
    // malformed text or an empty from square. Legality is not checked and the
    // position is never changed.
    Move convert_to_move(const std::string& text) const;

    const AttackTables& attack_tables() const { return m_attack_tables; }
    const Bitboard& attack_table(const Square& square) const { return m_attack_table[square.value()]; }
    const Bitboard& xray_table(const Square& square) const { return m_xray_table[square.value()]; }
    const Bitboard& white_attacked() const { return m_white_attacked; }
    const Bitboard& black_attacked() const { return m_black_attacked; }
    const Bitboard& white_pawn_union() const { return m_white_pawn_union; }
    const Bitboard& black_pawn_union() const { return m_black_pawn_union; }
    const Bitboard& white_knight_union() const { return m_white_knight_union; }
    const Bitboard& black_knight_union() const { return m_black_knight_union; }
    const Bitboard& white_bishop_union() const { return m_white_bishop_union; }
    const Bitboard& black_bishop_union() const { return m_black_bishop_union; }
    const Bitboard& white_rook_union() const { return m_white_rook_union; }
    const Bitboard& black_rook_union() const { return m_black_rook_union; }
    const Bitboard& white_queen_union() const { return m_white_queen_union; }
    const Bitboard& black_queen_union() const { return m_black_queen_union; }
    const Bitboard& white_king_union() const { return m_white_king_union; }
    const Bitboard& black_king_union() const { return m_black_king_union; }
    const Bitboard& white_bishop_xray_union() const { return m_white_bishop_xray_union; }
    const Bitboard& black_bishop_xray_union() const { return m_black_bishop_xray_union; }
    const Bitboard& white_rook_xray_union() const { return m_white_rook_xray_union; }
    const Bitboard& black_rook_xray_union() const { return m_black_rook_xray_union; }
    const Bitboard& white_queen_xray_union() const { return m_white_queen_xray_union; }
    const Bitboard& black_queen_xray_union() const { return m_black_queen_xray_union; }

private:
    Bitboard attackers_of(const Square& square, bool white) const;
    void update_union_of(int code);
    void update_slider_unions(const Bitboard& pieces, Bitboard& attacks, Bitboard& xrays);
    void update_attacked_sets();
    bool gives_check_after(const Move& move) const;

    AttackTables m_attack_tables;
    std::array<Bitboard, 64> m_xray_table{};
    std::array<Bitboard, 64> m_attack_table{};
    Bitboard m_white_attacked;
    Bitboard m_black_attacked;
    Bitboard m_white_pawn_union;
    Bitboard m_black_pawn_union;
    Bitboard m_white_knight_union;
    Bitboard m_black_knight_union;
    Bitboard m_white_bishop_union;
    Bitboard m_black_bishop_union;
    Bitboard m_white_rook_union;
    Bitboard m_black_rook_union;
    Bitboard m_white_queen_union;
    Bitboard m_black_queen_union;
    Bitboard m_white_king_union;
    Bitboard m_black_king_union;
    Bitboard m_white_bishop_xray_union;
    Bitboard m_black_bishop_xray_union;
    Bitboard m_white_rook_xray_union;
    Bitboard m_black_rook_xray_union;
    Bitboard m_white_queen_xray_union;
    Bitboard m_black_queen_xray_union;
    Bitboard m_attackers_scratch;
    std::vector<int> m_see_white_list;
    std::vector<int> m_see_black_list;
};
