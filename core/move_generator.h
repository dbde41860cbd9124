#pragma once

#include <array>
#include <string>

#include "core/attack_tables.h"
#include "core/bitboard.h"
#include "core/chess_position.h"
#include "core/geometry_tables.h"
#include "core/move.h"
#include "core/move_list.h"
#include "core/square.h"

// Fills a MoveList with the legal moves of the side to move, tested for
// legality by ray geometry (checks, pins, en passant, castling paths) without
// making them. Every move carries its gives-check bit and the ordering kind
// xnormal_move. The order is fixed: captures by falling value of the captured
// piece (pawn, knight, bishop, rook, queen and king captures in that order
// among equals; promotions as queen, rook, bishop, knight), then quiet moves
// of queens, rooks, knights, bishops, pawns, the king, and castling. A
// generator holds only the working state of one call; keep one per thread.
class MoveGenerator {
public:
    // All legal moves of the position, which must have current attack information
    // (set up or moved through ChessPosition's operations). A list already marked
    // generated is left untouched; clear it to generate again. At most
    // MoveList::capacity moves are written: a set-up position with more is cut.
    void generate(const ChessPosition& position, MoveList& list);
    // The same for captures, en passant captures and promotions only.
    void generate2(const ChessPosition& position, MoveList& list);

private:
    // Fills an ungenerated list with the captures and, when asked, the quiet moves.
    void generate_into(const ChessPosition& position, MoveList& list, bool with_quiet);
    template <bool White> void generate_for(const ChessPosition& position, MoveList& list, bool with_quiet);
    template <bool White> void prepare(const ChessPosition& position);
    template <bool White> void generate_captures(const ChessPosition& position, MoveList& list);
    template <bool White> void generate_quiet(const ChessPosition& position, MoveList& list);
    template <bool White> void annotate(const BoardPosition& board, Move& move) const;
    bool king_move_legal(const Square& to) const;
    template <bool White> bool en_passant_legal(const BoardPosition& board, const Square& from, const Square& to) const;
    template <bool White> bool castling_allowed(const ChessPosition& position, const Square& king, const Square& rook) const;
    // Where a piece other than the king may move: squares that answer every check
    // and, for a pinned piece, stay on the line through its king.
    Bitboard legal_targets(const Square& from) const;
    // Marks a legal move's check and ordering kind and writes it to the list, while there is room.
    template <bool White> void append(const BoardPosition& board, MoveList& list, Move move);
    void sort_captures(MoveList& list) const;
    void finish(MoveList& list);

    AttackTables m_attacks;
    GeometryTables m_geometry;
    int m_count = 0;
    Square m_own_king;
    Square m_enemy_king;
    Bitboard m_occupied;
    Bitboard m_pinned;
    Bitboard m_discovering;
    Bitboard m_enemy_pieces;
    Bitboard m_capture_targets;
    // Enemy pieces giving check, and the squares a non-king move must reach to answer them.
    Bitboard m_checkers;
    Bitboard m_evasion_targets;
    // Squares the opponent attacks, and the opponent's sliders by the lines they move on.
    Bitboard m_enemy_attacked;
    Bitboard m_enemy_diagonal;
    Bitboard m_enemy_orthogonal;
    Bitboard m_rook_checks;
    Bitboard m_bishop_checks;
    Bitboard m_knight_checks;
    Bitboard m_pawn_checks;
    // By piece kind (1 pawn .. 6 king): the squares from which it checks the enemy king.
    std::array<Bitboard, 8> m_check_squares;
};

// Every move's coordinate text followed by a blank ("e2e4 d2d4 ").
std::string print_move_list(const MoveList& list);
// Every move as coordinate text, "(", ordering kind, ",", score, ") ".
std::string print_move_list_with_scores(const MoveList& list);
