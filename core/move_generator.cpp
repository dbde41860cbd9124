#include "core/move_generator.h"

#include <array>
#include <sstream>

#include "core/bitboard_masks.h"
#include "core/bitboard_steps.h"

namespace {

// What differs between the two colours; the generator is written once for both.
template <bool White>
struct Side {
    static constexpr int offset = White ? 0 : 8;
    static constexpr int pawn = 1 + offset;
    static constexpr int knight = 2 + offset;
    static constexpr int bishop = 3 + offset;
    static constexpr int rook = 4 + offset;
    static constexpr int queen = 5 + offset;
    static constexpr int king = 6 + offset;
    static constexpr int forward = White ? 8 : -8;
    static constexpr int back_rank = White ? 0 : 56;
    static constexpr int castling_shift = White ? 0 : 8;
    static constexpr Bitboard last_rank = White ? mask_rank_8 : mask_rank_1;
    static constexpr Bitboard seventh_rank = White ? mask_rank_7 : mask_rank_2;
    static constexpr Bitboard second_rank = White ? mask_rank_2 : mask_rank_7;

    // Squares the pawns of this side attack.
    static constexpr Bitboard pawn_attacks(Bitboard pawns)
    {
        return White ? white_pawn_attacks_of(pawns) : black_pawn_attacks_of(pawns);
    }
    // Squares from which a pawn of this side attacks the target squares.
    static constexpr Bitboard pawn_sources(Bitboard targets)
    {
        return White ? white_pawn_sources_of(targets) : black_pawn_sources_of(targets);
    }
    static Square ahead(const Square& square, int steps = 1) { return square + forward * steps; }
};

// The value of a captured piece by code, as Piece::abs_value gives it, read inline
// because the capture sort compares it often.
constexpr std::array<int, 16> victim_values = {0, 100, 300, 300, 500, 900, 4000, 0,
                                               0, 100, 300, 300, 500, 900, 4000, 0};

int victim_value(const Move& move) { return victim_values[static_cast<std::size_t>(move.captured_piece_code())]; }

}

void MoveGenerator::generate(const ChessPosition& position, MoveList& list)
{
    generate_into(position, list, true);
}

void MoveGenerator::generate2(const ChessPosition& position, MoveList& list)
{
    generate_into(position, list, false);
}

void MoveGenerator::generate_into(const ChessPosition& position, MoveList& list, bool with_quiet)
{
    if (list.generated())
        return;
    list.clear();
    m_count = 0;
    if (position.board().side_to_move() == 1)
        generate_for<true>(position, list, with_quiet);
    else
        generate_for<false>(position, list, with_quiet);
    finish(list);
}

template <bool White>
void MoveGenerator::generate_for(const ChessPosition& position, MoveList& list, bool with_quiet)
{
    prepare<White>(position);
    generate_captures<White>(position, list);
    if (with_quiet)
        generate_quiet<White>(position, list);
}

void MoveGenerator::finish(MoveList& list)
{
    list.set_size(m_count);
    list.set_generated(true);
}

template <bool White>
void MoveGenerator::prepare(const ChessPosition& position)
{
    using Us = Side<White>;
    using Them = Side<!White>;
    const BoardPosition& board = position.board();
    m_occupied = board.occupied();
    m_pinned = position.pinned_pieces();
    m_discovering = position.discovering_pieces();
    m_enemy_pieces = White ? board.black_pieces() : board.white_pieces();
    m_own_king = board.pieces(Us::king).first_square();
    m_enemy_king = board.pieces(Them::king).first_square();

    // A position without its own king (possible in a position editor) has no
    // checks to answer and no pins; one without an enemy king has nothing to check.
    m_checkers = Bitboard();
    if (m_own_king.value() >= 64)
        m_pinned = Bitboard();
    m_enemy_attacked = White ? position.black_attacked() : position.white_attacked();
    m_enemy_diagonal = board.pieces(Them::bishop) | board.pieces(Them::queen);
    m_enemy_orthogonal = board.pieces(Them::rook) | board.pieces(Them::queen);
    if (m_own_king.value() < 64) {
        m_checkers = (m_attacks.knight_attacks(m_own_king) & board.pieces(Them::knight))
                     | (Them::pawn_sources(m_own_king.bit()) & board.pieces(Them::pawn))
                     | (m_attacks.bishop_attacks(m_own_king, m_occupied) & m_enemy_diagonal)
                     | (m_attacks.rook_attacks(m_own_king, m_occupied) & m_enemy_orthogonal);
    }
    if (!m_checkers)
        m_evasion_targets = mask_all_squares;
    else if (m_checkers.is_single())
        m_evasion_targets = m_geometry.between_inclusive(m_own_king, m_checkers.square_of_single_bit())
                            & ~m_own_king.bit();
    else
        m_evasion_targets = Bitboard();

    if (m_enemy_king.value() < 64) {
        m_rook_checks = m_attacks.rook_attacks(m_enemy_king, m_occupied);
        m_bishop_checks = m_attacks.bishop_attacks(m_enemy_king, m_occupied);
        m_knight_checks = m_attacks.knight_attacks(m_enemy_king);
        m_pawn_checks = Us::pawn_sources(m_enemy_king.bit());
    } else {
        m_rook_checks = m_bishop_checks = m_knight_checks = m_pawn_checks = Bitboard();
    }
    m_check_squares = {Bitboard(), m_pawn_checks, m_knight_checks, m_bishop_checks,
                       m_rook_checks, m_rook_checks | m_bishop_checks, Bitboard(), Bitboard()};
}

Bitboard MoveGenerator::legal_targets(const Square& from) const
{
    // A pinned piece may only move along the line through its king.
    if (m_pinned & from.bit())
        return m_evasion_targets & m_geometry.ray_towards(m_own_king, from);
    return m_evasion_targets;
}

template <bool White>
void MoveGenerator::append(const BoardPosition& board, MoveList& list, Move move)
{
    // A set-up position may have more legal moves than the list holds.
    if (static_cast<std::size_t>(m_count) >= MoveList::capacity)
        return;
    annotate<White>(board, move);
    list.at(m_count++) = move;
}

bool MoveGenerator::king_move_legal(const Square& to) const
{
    if (m_enemy_attacked & to.bit())
        return false;
    if (!m_checkers)
        return true;
    // A checking slider also attacks the squares behind the king on its line,
    // which the king's own body hides in the attacked set.
    const Bitboard without_king = m_occupied & ~m_own_king.bit();
    return !(m_attacks.bishop_attacks(to, without_king) & m_enemy_diagonal)
           && !(m_attacks.rook_attacks(to, without_king) & m_enemy_orthogonal);
}

template <bool White>
bool MoveGenerator::en_passant_legal(const BoardPosition& board, const Square& from, const Square& to) const
{
    using Them = Side<!White>;
    if (m_own_king.value() >= 64)
        return true;
    // Both pawns leave their squares at once, which no pin table describes: look
    // at the king's lines on the board after the capture.
    const Square captured = to - Side<White>::forward;
    const Bitboard occupied = (m_occupied & ~from.bit() & ~captured.bit()) | to.bit();
    const Bitboard enemy_pawns = board.pieces(Them::pawn) & ~captured.bit();
    return !(m_attacks.bishop_attacks(m_own_king, occupied) & m_enemy_diagonal)
           && !(m_attacks.rook_attacks(m_own_king, occupied) & m_enemy_orthogonal)
           && !(m_attacks.knight_attacks(m_own_king) & board.pieces(Them::knight))
           && !(Them::pawn_sources(m_own_king.bit()) & enemy_pawns);
}

template <bool White>
bool MoveGenerator::castling_allowed(const ChessPosition& position, const Square& king, const Square& rook) const
{
    using Us = Side<White>;
    const BoardPosition& board = position.board();
    // Rights that the board cannot carry out (a set-up position) give no move.
    if (board.piece_at(rook) != static_cast<std::uint32_t>(Us::rook) || king.rank() != rook.rank())
        return false;
    const bool king_side = rook > king;
    const Square king_target(Us::back_rank + (king_side ? 6 : 2));
    const Square rook_target(Us::back_rank + (king_side ? 5 : 3));
    const Bitboard king_path = m_geometry.between_inclusive(king, king_target);
    const Bitboard rook_path = m_geometry.between_inclusive(rook, rook_target);
    const Bitboard others = m_occupied & ~king.bit() & ~rook.bit();
    if ((king_path | rook_path) & others)
        return false;
    // The king may not start in, pass through or land in check.
    if (king_path & m_enemy_attacked)
        return false;
    // Nor may the castling rook have been what shielded the king's target along the rank.
    return !(m_attacks.rook_attacks(king_target, others) & m_enemy_orthogonal);
}

template <bool White>
void MoveGenerator::annotate(const BoardPosition& board, Move& move) const
{
    using Us = Side<White>;
    move.set_gives_check(false);
    move.set_xkind(xnormal_move);
    if (m_enemy_king.value() >= 64)
        return;
    const Square from = move.from();
    const Square to = move.to();
    const Bitboard own_diagonal = board.pieces(Us::bishop) | board.pieces(Us::queen);
    const Bitboard own_orthogonal = board.pieces(Us::rook) | board.pieces(Us::queen);
    // Whether an own slider sees the enemy king on the board given by the occupancy.
    auto sliders_check = [&](const Bitboard& occupied, const Bitboard& diagonal, const Bitboard& orthogonal) {
        return (m_attacks.bishop_attacks(m_enemy_king, occupied) & diagonal)
               || (m_attacks.rook_attacks(m_enemy_king, occupied) & orthogonal);
    };
    const Bitboard moved_occupancy = (m_occupied & ~from.bit()) | to.bit();
    bool check = false;

    switch (move.kind()) {
    case normal_move: {
        const int kind = move.moving_piece_code() & 7;
        // The king gives no direct check: its entry is empty.
        check = static_cast<bool>(m_check_squares[kind] & to.bit());
        if (!check && (m_discovering & from.bit())) {
            // A piece that moves off the line uncovers the slider behind it; a
            // slider that moves along the line checks by itself. Only a pawn or
            // the king can stay on the line without attacking along it.
            check = (kind == 1 || kind == 6) ? sliders_check(moved_occupancy, own_diagonal, own_orthogonal) : true;
        }
        break;
    }
    case promo_queen:
    case promo_rook:
    case promo_bishop:
    case promo_knight: {
        const Bitboard target = to.bit();
        const Bitboard rook_lines = m_attacks.rook_attacks(m_enemy_king, moved_occupancy);
        const Bitboard bishop_lines = m_attacks.bishop_attacks(m_enemy_king, moved_occupancy);
        switch (move.kind()) {
        case promo_queen: check = static_cast<bool>(target & (rook_lines | bishop_lines)); break;
        case promo_rook: check = static_cast<bool>(target & rook_lines); break;
        case promo_bishop: check = static_cast<bool>(target & bishop_lines); break;
        default: check = static_cast<bool>(target & m_knight_checks); break;
        }
        check = check || (bishop_lines & own_diagonal) || (rook_lines & own_orthogonal);
        break;
    }
    case castling: {
        // The rook checks from its target square unless the king's new square
        // stands in the way; another rook or queen may be uncovered on the rank.
        const bool king_side = to > from;
        const Square king_target(Us::back_rank + (king_side ? 6 : 2));
        const Square rook_target(Us::back_rank + (king_side ? 5 : 3));
        const Bitboard occupied = (m_occupied & ~from.bit() & ~to.bit()) | king_target.bit() | rook_target.bit();
        const Bitboard rooks_after = (own_orthogonal & ~to.bit()) | rook_target.bit();
        check = static_cast<bool>(m_attacks.rook_attacks(m_enemy_king, occupied) & rooks_after);
        break;
    }
    case en_passant: {
        const Square captured = to - Us::forward;
        const Bitboard occupied = moved_occupancy & ~captured.bit();
        check = sliders_check(occupied, own_diagonal, own_orthogonal) || (to.bit() & m_pawn_checks);
        break;
    }
    default:
        break;
    }
    move.set_gives_check(check);
}

template <bool White>
void MoveGenerator::generate_captures(const ChessPosition& position, MoveList& list)
{
    using Us = Side<White>;
    using Them = Side<!White>;
    const BoardPosition& board = position.board();
    m_capture_targets = m_enemy_pieces & ~board.pieces(Them::king);

    auto captured_on = [&board](const Square& square) { return static_cast<int>(board.piece_at(square)); };

    // A pawn on its last rank (placed there by hand) has no moves.
    Bitboard pawns = board.pieces(Us::pawn) & ~Us::last_rank;
    const Square ep_square = position.en_passant_square();
    while (pawns) {
        const Square from = pawns.pop_first_square();
        const Bitboard attacks = Us::pawn_attacks(from.bit());
        const Bitboard allowed = legal_targets(from);
        Bitboard targets = attacks & ~Us::last_rank & m_capture_targets & allowed;
        while (targets) {
            const Square to = targets.pop_first_square();
            append<White>(board, list, Move(from, to, normal_move, Us::pawn, captured_on(to)));
        }
        if (ep_square.value() < 64 && (attacks & ep_square.bit()) && board.piece_at(ep_square) == 0
            && board.piece_at(ep_square - Us::forward) == static_cast<std::uint32_t>(Them::pawn)) {
            if (en_passant_legal<White>(board, from, ep_square))
                append<White>(board, list, Move(from, ep_square, en_passant, Us::pawn, Them::pawn));
        }
        Bitboard promotions = attacks & m_capture_targets;
        const Square ahead = Us::ahead(from);
        if ((from.bit() & Us::seventh_rank) && board.piece_at(ahead) == 0)
            promotions |= ahead.bit();
        promotions &= Us::last_rank & allowed;
        while (promotions) {
            const Square to = promotions.pop_first_square();
            for (int kind : {promo_queen, promo_rook, promo_bishop, promo_knight})
                append<White>(board, list, Move(from, to, static_cast<MoveKind>(kind), Us::pawn, captured_on(to)));
        }
    }

    for (int code : {Us::knight, Us::bishop, Us::rook, Us::queen}) {
        Bitboard pieces = board.pieces(code);
        while (pieces) {
            const Square from = pieces.pop_first_square();
            Bitboard targets = position.attack_table(from) & m_capture_targets & legal_targets(from);
            while (targets) {
                const Square to = targets.pop_first_square();
                append<White>(board, list, Move(from, to, normal_move, code, captured_on(to)));
            }
        }
    }

    if (m_own_king.value() < 64) {
        Bitboard targets = m_attacks.king_attacks(m_own_king) & m_capture_targets;
        while (targets) {
            const Square to = targets.pop_first_square();
            if (king_move_legal(to))
                append<White>(board, list, Move(m_own_king, to, normal_move, Us::king, captured_on(to)));
        }
    }
    sort_captures(list);
}

void MoveGenerator::sort_captures(MoveList& list) const
{
    // Stable insertion sort, most valuable victim first; equal victims keep generation order.
    for (int i = 1; i < m_count; ++i) {
        const Move move = list.at(i);
        const int value = victim_value(move);
        int j = i;
        while (j > 0 && victim_value(list.at(j - 1)) < value) {
            list.at(j) = list.at(j - 1);
            --j;
        }
        list.at(j) = move;
    }
}

template <bool White>
void MoveGenerator::generate_quiet(const ChessPosition& position, MoveList& list)
{
    using Us = Side<White>;
    const BoardPosition& board = position.board();
    const Bitboard empty = ~m_occupied;

    for (int code : {Us::queen, Us::rook, Us::knight, Us::bishop}) {
        Bitboard pieces = board.pieces(code);
        while (pieces) {
            const Square from = pieces.pop_first_square();
            Bitboard targets = position.attack_table(from) & empty & legal_targets(from);
            while (targets) {
                const Square to = targets.pop_first_square();
                append<White>(board, list, Move(from, to, normal_move, code, 0));
            }
        }
    }

    Bitboard pawns = board.pieces(Us::pawn) & ~Us::last_rank;
    while (pawns) {
        const Square from = pawns.pop_first_square();
        const Square one = Us::ahead(from);
        if (board.piece_at(one) != 0 || (one.bit() & Us::last_rank))
            continue;
        const Bitboard allowed = legal_targets(from);
        if (allowed & one.bit())
            append<White>(board, list, Move(from, one, normal_move, Us::pawn, 0));
        const Square two = Us::ahead(from, 2);
        if ((from.bit() & Us::second_rank) && board.piece_at(two) == 0 && (allowed & two.bit()))
            append<White>(board, list, Move(from, two, normal_move, Us::pawn, 0));
    }

    if (m_own_king.value() >= 64)
        return;
    Bitboard targets = m_attacks.king_attacks(m_own_king) & empty;
    while (targets) {
        const Square to = targets.pop_first_square();
        if (king_move_legal(to))
            append<White>(board, list, Move(m_own_king, to, normal_move, Us::king, 0));
    }

    Bitboard rights((position.castling_flags() >> Us::castling_shift) & 0xFF);
    while (rights) {
        const Square rook(Us::back_rank + rights.pop_index());
        if (castling_allowed<White>(position, m_own_king, rook))
            append<White>(board, list, Move(m_own_king, rook, castling, Us::king, 0));
    }
}

std::string print_move_list(const MoveList& list)
{
    std::string text;
    for (const Move& move : list)
        text += move.to_string(false) + " ";
    return text;
}

std::string print_move_list_with_scores(const MoveList& list)
{
    std::ostringstream text;
    for (const Move& move : list)
        text << move.to_string(false) << "(" << static_cast<int>(move.xkind()) << "," << move.score() << ") ";
    return text.str();
}
