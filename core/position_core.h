#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "core/bitboard.h"
#include "core/board_position.h"
#include "core/geometry_tables.h"
#include "core/material.h"
#include "core/move.h"
#include "core/piece.h"
#include "core/ply_record.h"
#include "core/position_hash.h"
#include "core/repetition_keys.h"
#include "core/square.h"

// The board and the whole history of a position since it was set up: one
// PlyRecord per position, the key stacks, the repetition keys and the material
// signature. Its operations keep all of these consistent but leave the attack
// information of ChessPosition alone; code outside the rules core uses
// ChessPosition's operations instead.
class PositionCore {
public:
    // The empty board, white to move.
    PositionCore();
    PositionCore(const PositionCore& other);
    // Copies the position; the instance number stays the target's own.
    PositionCore& operator=(const PositionCore& other);
    ~PositionCore() = default;

    // The empty position "8/8/8/8/8/8/8/8 w - - 0 1" with one ply record.
    void clear();
    void set_start_position_core();
    // Colours exchanged and the board turned over; the history restarts.
    void flip_colours_core();
    // Files a <-> h; the history restarts.
    void mirror_files_core();

    // Reads FEN or EPD text, replacing the whole position (the attack information
    // of ChessPosition is not rebuilt here); throws std::logic_error naming the
    // fault, leaving the position emptied. Castling rights without an own king
    // and rook to back them and an en passant square on which no capture is
    // possible are dropped.
    void fen(const std::string& text);
    // The position as FEN text.
    std::string fen() const;
    // The first four FEN fields.
    std::string epd() const;
    // The moves since the start FEN in coordinate text, separated by blanks;
    // castling as the king's two-square step on the e-file, or always as the
    // king taking its own rook (as engines in Chess960 mode read it).
    std::string moves_text(bool king_takes_rook = false) const;
    // Debug text: board, move number, key, pinned and discovering pieces.
    std::string print() const;

    // Makes a legal move: board, history, keys, repetition keys and material.
    void do_move(const Move& move);
    // Takes back the last move; needs more than one ply record.
    void undo_move();
    // The key the position would have after the move; the position is unchanged.
    std::uint64_t do_move_bookkeeping(const Move& move);
    // Recomputes the king squares and the pinned and discovering pieces.
    void update_check_info();

    Piece piece_on(const Square& square) const { return Piece(m_board.piece_at(square)); }
    // Edit the board only (keys, material, history untouched): for a position editor.
    void put_piece(const Square& square, const Piece& piece);
    void remove_piece(const Square& square, const Piece& piece);
    void toggle_side_to_move() { m_board.toggle_side_to_move(); }

    BoardPosition& board() { return m_board; }
    const BoardPosition& board() const { return m_board; }
    const GeometryTables& geometry() const { return m_geometry; }

    std::uint16_t castling_flags() const { return current().castling_flags; }
    // Stores the low 16 bits, less the rights that no king and rook on their home rank back.
    void set_castling_flags(int flags)
    {
        current().castling_flags = backed_castling_flags(static_cast<std::uint16_t>(flags));
    }
    Square en_passant_square() const { return current().en_passant; }
    std::uint16_t halfmove_clock() const { return current().halfmove_clock; }
    std::uint16_t move_number() const { return m_move_number; }
    Square white_king_square() const { return current().white_king; }
    Square black_king_square() const { return current().black_king; }
    Bitboard& pinned_pieces() { return current().pinned; }
    const Bitboard& pinned_pieces() const { return current().pinned; }
    Bitboard& discovering_pieces() { return current().discovering; }
    const Bitboard& discovering_pieces() const { return current().discovering; }
    Move& last_move() { return current().move; }
    const Move& last_move() const { return current().move; }

    Material& material() { return m_material; }
    const Material& material() const { return m_material; }
    void compute_material();

    // The Polyglot key of the position.
    std::uint64_t hash_key() const;
    std::uint64_t pawn_key() const;
    std::string start_fen() const { return m_start_fen; }
    std::vector<PlyRecord>& ply_records() { return m_ply_records; }
    const std::vector<PlyRecord>& ply_records() const { return m_ply_records; }
    const RepetitionKeys& repetition_keys() const { return m_repetition_keys; }
    // The moves played since the set-up, in order.
    std::vector<Move> move_history() const;
    std::uint32_t instance_id() const { return m_instance_id; }

    bool chess960() const { return m_chess960 != 0; }
    // While set, castling rights are written as file letters.
    void set_chess960(bool on) { m_chess960 = on ? 1 : 0; }
    void set_flag_b(bool on) { m_flag_b = on ? 1 : 0; }

    // 100 half-moves or more without a pawn move or capture.
    bool fifty_move_rule() const { return halfmove_clock() > 99; }
    // The position occurred before since the last pawn move or capture.
    bool is_repetition() const { return repetition_count_reached(m_repetition_keys, 2); }
    // The position occurred three times since the last pawn move or capture.
    bool is_threefold_repetition() const { return repetition_count_reached(m_repetition_keys, 3); }
    // 1 when board, move number, clock, castling, en passant and pins agree, else 0.
    int compare(const PositionCore& other) const;
    // The opposite of compare: 0 when equal.
    int compare_full(const PositionCore& other) const { return 1 - compare(other); }

private:
    PlyRecord& current() { return m_ply_records.back(); }
    const PlyRecord& current() const { return m_ply_records.back(); }
    std::uint16_t castling_flags_after(const Move& move) const;
    Square en_passant_after(const Move& move) const;
    Square en_passant_from_text(const std::string& word) const;
    std::uint16_t castling_flags_from_text(const std::string& word) const;
    std::uint16_t backed_castling_flags(std::uint16_t flags) const;
    void read_back_own_fen();

    GeometryTables m_geometry;
    std::uint32_t m_instance_id;
    BoardPosition m_board;
    PositionHash m_hash;
    RepetitionKeys m_repetition_keys;
    Material m_material;
    std::vector<PlyRecord> m_ply_records;
    std::uint16_t m_move_number = 1;
    std::string m_start_fen;
    std::uint8_t m_chess960 = 0;
    // Kept and copied with the position; nothing reads it.
    std::uint8_t m_flag_b = 0;
};
