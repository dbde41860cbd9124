#include "core/chess_position.h"

#include <algorithm>

#include "core/bitboard_masks.h"
#include "core/bitboard_steps.h"

namespace {

bool is_white_code(int code)
{
    return code < 8;
}

bool is_slider_code(int code)
{
    const int kind = code & 7;
    return kind == 3 || kind == 4 || kind == 5;
}

}

void ChessPosition::compute_attack_info()
{
    m_attack_table.fill(Bitboard());
    m_xray_table.fill(Bitboard());
    for (int square = 0; square < 64; ++square) {
        compute_square_attacks(Square(square));
    }
    update_white_pawn_attacks();
    update_black_pawn_attacks();
    white_knight_attacks();
    black_knight_attacks();
    update_white_bishop_attacks();
    update_black_bishop_attacks();
    update_white_rook_attacks();
    update_black_rook_attacks();
    update_white_queen_attacks();
    update_black_queen_attacks();
    white_king_attacks();
    black_king_attacks();
    update_attacked_sets();
}

void ChessPosition::update_attack_info(const Move& move)
{
    if (move.kind() == nullmove) {
        return;
    }
    const BoardPosition& position = board();
    const Square from = move.from();
    const Square to = move.to();
    // Every slider whose direct or x-ray line can pass through the two squares.
    const Bitboard diagonal_sliders = position.diagonal_sliders();
    const Bitboard orthogonal_sliders = position.orthogonal_sliders();
    const Bitboard without_diagonal = position.occupied() & ~diagonal_sliders;
    const Bitboard without_orthogonal = position.occupied() & ~orthogonal_sliders;
    const Bitboard diagonal_lines = m_attack_tables.bishop_attacks(from, without_diagonal)
        | m_attack_tables.bishop_attacks(to, without_diagonal);
    const Bitboard orthogonal_lines = m_attack_tables.rook_attacks(from, without_orthogonal)
        | m_attack_tables.rook_attacks(to, without_orthogonal);
    Bitboard affected = (diagonal_lines & diagonal_sliders) | (orthogonal_lines & orthogonal_sliders);
    switch (move.kind()) {
    case promo_queen:
        update_white_queen_attacks();
        update_black_queen_attacks();
        break;
    case promo_rook:
        update_white_rook_attacks();
        update_black_rook_attacks();
        break;
    case promo_bishop:
        update_white_bishop_attacks();
        update_black_bishop_attacks();
        break;
    case promo_knight:
        white_knight_attacks();
        black_knight_attacks();
        break;
    case castling:
        // King and rook land on back-rank squares other than from and to; lines
        // through those squares either end there or run along the back rank.
        update_white_rook_attacks();
        update_black_rook_attacks();
        affected |= mask_ranks_1_8;
        break;
    case en_passant:
        // The captured pawn stood beside the from square.
        update_white_pawn_attacks();
        update_black_pawn_attacks();
        for (const int side : {-1, 1}) {
            const Square beside = from + side;
            if (beside.value() < 64) {
                affected |= geometry().queen_rays(beside) | beside.bit();
            }
        }
        break;
    default:
        break;
    }
    affected |= from.bit() | to.bit();
    while (affected) {
        const Square square = affected.pop_first_square();
        compute_square_attacks(square);
        update_union_of(static_cast<int>(position.piece_at(square)));
    }
    update_union_of(move.moving_piece_code());
    update_union_of(move.captured_piece_code());
    update_attacked_sets();
}

void ChessPosition::compute_square_attacks(const Square& square)
{
    const BoardPosition& position = board();
    const int code = static_cast<int>(position.piece_at(square));
    const Bitboard piece = square.bit();
    const Bitboard occupied = position.occupied();
    Bitboard& attacks = m_attack_table[square.value()];
    Bitboard& xrays = m_xray_table[square.value()];
    attacks.clear();
    xrays.clear();
    if (code == 0) {
        return;
    }
    const int colour_base = is_white_code(code) ? 0 : 8;
    const Bitboard own_bishops = position.pieces(colour_base + 3);
    const Bitboard own_rooks = position.pieces(colour_base + 4);
    const Bitboard own_queens = position.pieces(colour_base + 5);
    switch (code & 7) {
    case 1:
        attacks = is_white_code(code) ? white_pawn_attacks_of(piece) : black_pawn_attacks_of(piece);
        break;
    case 2:
        attacks = m_attack_tables.knight_attacks(square);
        break;
    case 3:
        attacks = m_attack_tables.bishop_attacks(square, occupied);
        xrays = m_attack_tables.bishop_attacks(square, occupied & ~own_queens);
        break;
    case 4:
        attacks = m_attack_tables.rook_attacks(square, occupied);
        xrays = m_attack_tables.rook_attacks(square, occupied & ~(own_rooks | own_queens));
        break;
    case 5:
        attacks = m_attack_tables.queen_attacks(square, occupied);
        xrays = m_attack_tables.bishop_attacks(square, occupied & ~(own_bishops | own_queens))
            | m_attack_tables.rook_attacks(square, occupied & ~(own_rooks | own_queens));
        break;
    case 6:
        attacks = m_attack_tables.king_attacks(square);
        break;
    default:
        break;
    }
}

void ChessPosition::update_white_pawn_attacks()
{
    m_white_pawn_union = white_pawn_attacks_of(board().white_pawns());
}

void ChessPosition::update_black_pawn_attacks()
{
    m_black_pawn_union = black_pawn_attacks_of(board().black_pawns());
}

void ChessPosition::white_knight_attacks()
{
    m_white_knight_union = knight_attacks_of(board().white_knights());
}

void ChessPosition::black_knight_attacks()
{
    m_black_knight_union = knight_attacks_of(board().black_knights());
}

void ChessPosition::update_slider_unions(const Bitboard& pieces, Bitboard& attacks, Bitboard& xrays)
{
    attacks.clear();
    xrays.clear();
    for (Bitboard rest = pieces; rest;) {
        const int square = rest.pop_index();
        attacks |= m_attack_table[static_cast<std::size_t>(square)];
        xrays |= m_xray_table[static_cast<std::size_t>(square)];
    }
}

void ChessPosition::update_white_bishop_attacks()
{
    update_slider_unions(board().white_bishops(), m_white_bishop_union, m_white_bishop_xray_union);
}

void ChessPosition::update_black_bishop_attacks()
{
    update_slider_unions(board().black_bishops(), m_black_bishop_union, m_black_bishop_xray_union);
}

void ChessPosition::update_white_rook_attacks()
{
    update_slider_unions(board().white_rooks(), m_white_rook_union, m_white_rook_xray_union);
}

void ChessPosition::update_black_rook_attacks()
{
    update_slider_unions(board().black_rooks(), m_black_rook_union, m_black_rook_xray_union);
}

void ChessPosition::update_white_queen_attacks()
{
    update_slider_unions(board().white_queens(), m_white_queen_union, m_white_queen_xray_union);
}

void ChessPosition::update_black_queen_attacks()
{
    update_slider_unions(board().black_queens(), m_black_queen_union, m_black_queen_xray_union);
}

Bitboard ChessPosition::white_king_attacks()
{
    const Bitboard king = board().white_king();
    m_white_king_union = king ? m_attack_tables.king_attacks(king.first_square()) : Bitboard();
    return m_white_king_union;
}

Bitboard ChessPosition::black_king_attacks()
{
    const Bitboard king = board().black_king();
    m_black_king_union = king ? m_attack_tables.king_attacks(king.first_square()) : Bitboard();
    return m_black_king_union;
}

void ChessPosition::update_union_of(int code)
{
    switch (code) {
    case 1: update_white_pawn_attacks(); break;
    case 2: white_knight_attacks(); break;
    case 3: update_white_bishop_attacks(); break;
    case 4: update_white_rook_attacks(); break;
    case 5: update_white_queen_attacks(); break;
    case 6: white_king_attacks(); break;
    case 9: update_black_pawn_attacks(); break;
    case 10: black_knight_attacks(); break;
    case 11: update_black_bishop_attacks(); break;
    case 12: update_black_rook_attacks(); break;
    case 13: update_black_queen_attacks(); break;
    case 14: black_king_attacks(); break;
    default: break;
    }
}

void ChessPosition::update_attacked_sets()
{
    m_white_attacked = m_white_pawn_union | m_white_knight_union | m_white_bishop_union | m_white_rook_union
        | m_white_queen_union | m_white_king_union;
    m_black_attacked = m_black_pawn_union | m_black_knight_union | m_black_bishop_union | m_black_rook_union
        | m_black_queen_union | m_black_king_union;
}

Bitboard ChessPosition::white_attackers_of(const Square& square) const
{
    return attackers_of(square, true);
}

Bitboard ChessPosition::black_attackers_of(const Square& square) const
{
    return attackers_of(square, false);
}

Bitboard ChessPosition::attackers_of(const Square& square, bool white) const
{
    if (square.value() >= 64) {
        return Bitboard();
    }
    const BoardPosition& position = board();
    const int pawn = white ? 1 : 9;
    const Bitboard target = square.bit();
    // A kind's union of attacks tells cheaply whether any piece of it can attack the square.
    Bitboard attackers;
    if ((white ? m_white_pawn_union : m_black_pawn_union) & target) {
        attackers |= position.pieces(pawn) & (white ? white_pawn_sources_of(target) : black_pawn_sources_of(target));
    }
    if ((white ? m_white_knight_union : m_black_knight_union) & target) {
        attackers |= position.pieces(pawn + 1) & m_attack_tables.knight_attacks(square);
    }
    const Bitboard diagonal = m_attack_tables.bishop_attacks(square, position.occupied());
    const Bitboard straight = m_attack_tables.rook_attacks(square, position.occupied());
    if ((white ? m_white_bishop_union : m_black_bishop_union) & target) {
        attackers |= position.pieces(pawn + 2) & diagonal;
    }
    if ((white ? m_white_rook_union : m_black_rook_union) & target) {
        attackers |= position.pieces(pawn + 3) & straight;
    }
    if ((white ? m_white_queen_union : m_black_queen_union) & target) {
        attackers |= position.pieces(pawn + 4) & (diagonal | straight);
    }
    return attackers | (position.pieces(pawn + 5) & m_attack_tables.king_attacks(square));
}

Bitboard ChessPosition::attackers_to(const Bitboard& targets)
{
    const BoardPosition& position = board();
    Bitboard attackers;
    if (m_white_pawn_union & targets) {
        attackers |= position.white_pawns() & white_pawn_sources_of(targets);
    }
    if (m_black_pawn_union & targets) {
        attackers |= position.black_pawns() & black_pawn_sources_of(targets);
    }
    const auto add_pieces = [&](const Bitboard& pieces, bool with_xrays) {
        m_attackers_scratch = pieces;
        while (m_attackers_scratch) {
            const Square square = m_attackers_scratch.pop_first_square();
            Bitboard reach = m_attack_table[square.value()];
            if (with_xrays) {
                reach |= m_xray_table[square.value()];
            }
            if (reach & targets) {
                attackers |= square.bit();
            }
        }
    };
    if (m_white_knight_union & targets) add_pieces(position.white_knights(), false);
    if (m_black_knight_union & targets) add_pieces(position.black_knights(), false);
    if (m_white_king_union & targets) attackers |= position.white_king();
    if (m_black_king_union & targets) attackers |= position.black_king();
    if ((m_white_bishop_union | m_white_bishop_xray_union) & targets) add_pieces(position.white_bishops(), true);
    if ((m_black_bishop_union | m_black_bishop_xray_union) & targets) add_pieces(position.black_bishops(), true);
    if ((m_white_rook_union | m_white_rook_xray_union) & targets) add_pieces(position.white_rooks(), true);
    if ((m_black_rook_union | m_black_rook_xray_union) & targets) add_pieces(position.black_rooks(), true);
    if ((m_white_queen_union | m_white_queen_xray_union) & targets) add_pieces(position.white_queens(), true);
    if ((m_black_queen_union | m_black_queen_xray_union) & targets) add_pieces(position.black_queens(), true);
    return attackers;
}

bool ChessPosition::in_check() const
{
    if (board().side_to_move() == 1) {
        return static_cast<bool>(board().white_king() & m_black_attacked);
    }
    return static_cast<bool>(board().black_king() & m_white_attacked);
}

bool ChessPosition::is_checkmate() const
{
    const BoardPosition& position = board();
    const bool white = position.side_to_move() == 1;
    const Bitboard own_king = white ? position.white_king() : position.black_king();
    if (!own_king) {
        return false;
    }
    const Square king = own_king.first_square();
    const Bitboard checkers = white ? black_attackers_of(king) : white_attackers_of(king);
    const int checker_count = checkers.count();
    if (checker_count == 0) {
        return false;
    }
    if (checker_count > 2) {
        return true;
    }
    const Bitboard own = white ? position.white_pieces() : position.black_pieces();
    // Squares behind the king on a slider's checking line are not in the
    // attacked set (the king blocks them) but are no escape either.
    Bitboard barred = own | (white ? m_black_attacked : m_white_attacked);
    for (Bitboard rest = checkers; rest;) {
        const Square checker = rest.pop_first_square();
        if (is_slider_code(static_cast<int>(position.piece_at(checker)))) {
            barred |= geometry().ray_towards(checker, king);
        }
    }
    if (geometry().king_moves(king) & ~barred) {
        return false;
    }
    if (checker_count == 2) {
        return true;
    }
    const Square checker = checkers.first_square();
    const Bitboard free_defenders = own & ~own_king & ~pinned_pieces();
    const Bitboard capturers = white ? white_attackers_of(checker) : black_attackers_of(checker);
    if (capturers & free_defenders) {
        return false;
    }
    const std::uint32_t enemy_pawn = white ? 9 : 1;
    const Square en_passant = en_passant_square();
    if (en_passant.value() < 64 && position.piece_at(checker) == enemy_pawn) {
        const Bitboard own_pawns = white ? position.white_pawns() : position.black_pawns();
        const Bitboard sources =
            white ? white_pawn_sources_of(en_passant.bit()) : black_pawn_sources_of(en_passant.bit());
        // Both pawns leave their squares, so the capture may open a line to the
        // king (along the rank or the captured pawn's diagonal): test each capture.
        const Bitboard enemy_straight = white ? position.black_rooks() | position.black_queens()
                                              : position.white_rooks() | position.white_queens();
        const Bitboard enemy_diagonal = white ? position.black_bishops() | position.black_queens()
                                              : position.white_bishops() | position.white_queens();
        for (Bitboard capturers = own_pawns & sources; capturers;) {
            const Bitboard pawn = capturers.pop_first_bit();
            const Bitboard after = (position.occupied() & ~pawn & ~checker.bit()) | en_passant.bit();
            if (!(m_attack_tables.rook_attacks(king, after) & enemy_straight)
                && !(m_attack_tables.bishop_attacks(king, after) & enemy_diagonal)) {
                return false;
            }
        }
    }
    const Bitboard between = geometry().between(king, checker);
    if (!between) {
        return true;
    }
    const Bitboard own_pawns = white ? position.white_pawns() : position.black_pawns();
    for (Bitboard blockers = free_defenders & ~own_pawns; blockers;) {
        if (m_attack_table[static_cast<std::size_t>(blockers.pop_index())] & between) {
            return false;
        }
    }
    const Bitboard empty = ~position.occupied();
    const Bitboard pushers = own_pawns & ~pinned_pieces();
    const Bitboard single = (white ? pushers << 8 : pushers >> 8) & empty;
    const Bitboard twice = (white ? single << 8 : single >> 8) & empty & (white ? mask_rank_4 : mask_rank_5);
    return !((single | twice) & between);
}

int ChessPosition::see(const Move& move)
{
    const Square from = move.from();
    Bitboard attackers = attackers_to(move.to().bit());
    attackers.reset(from);
    m_see_white_list.clear();
    m_see_black_list.clear();
    const int mover = move.moving_piece_code();
    (is_white_code(mover) ? m_see_white_list : m_see_black_list).push_back(mover);
    for (int code = 1; code <= 14; ++code) {
        if (code == 7 || code == 8) {
            continue;
        }
        std::vector<int>& list = is_white_code(code) ? m_see_white_list : m_see_black_list;
        for (Bitboard rest = attackers & board().pieces(code); rest; rest.pop_first_bit()) {
            list.push_back(code);
        }
    }
    // The mover's side takes first; each later capture takes the piece that captured last.
    const std::vector<int>& first = is_white_code(mover) ? m_see_white_list : m_see_black_list;
    const std::vector<int>& second = is_white_code(mover) ? m_see_black_list : m_see_white_list;
    // Capturer of step n: first[n / 2] for even n, second[n / 2] for odd n.
    const auto capturer = [&](std::size_t step) -> const int* {
        const std::vector<int>& list = step % 2 == 0 ? first : second;
        return step / 2 < list.size() ? &list[step / 2] : nullptr;
    };
    const auto value_of = [](int code) { return Piece(static_cast<std::uint32_t>(code)).abs_value(); };
    std::vector<int> gain = {value_of(move.captured_piece_code())};
    for (std::size_t step = 1; capturer(step) != nullptr; ++step) {
        gain.push_back(value_of(*capturer(step - 1)) - gain.back());
    }
    for (std::size_t depth = gain.size() - 1; depth > 0; --depth) {
        gain[depth - 1] = std::min(gain[depth - 1], -gain[depth]);
    }
    return gain[0];
}
