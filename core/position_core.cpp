#include "core/position_core.h"

#include <atomic>
#include <cstdlib>

namespace {

std::atomic<std::uint32_t> instance_counter{0};

std::uint32_t next_instance_id()
{
    return ++instance_counter;
}

constexpr int white_pawn_code = 1;
constexpr int white_king_code = 6;
constexpr int black_pawn_code = 9;
constexpr int black_king_code = 14;

}

PositionCore::PositionCore() : m_instance_id(next_instance_id())
{
    clear();
}

PositionCore::PositionCore(const PositionCore& other)
    : m_geometry(other.m_geometry),
      m_instance_id(next_instance_id()),
      m_board(other.m_board),
      m_hash(other.m_hash),
      m_repetition_keys(other.m_repetition_keys),
      m_material(other.m_material),
      m_ply_records(other.m_ply_records),
      m_move_number(other.m_move_number),
      m_start_fen(other.m_start_fen),
      m_chess960(other.m_chess960),
      m_flag_b(other.m_flag_b)
{
}

PositionCore& PositionCore::operator=(const PositionCore& other)
{
    if (this == &other) {
        return *this;
    }
    m_board = other.m_board;
    m_hash = other.m_hash;
    m_repetition_keys = other.m_repetition_keys;
    m_material = other.m_material;
    m_ply_records = other.m_ply_records;
    m_move_number = other.m_move_number;
    m_start_fen = other.m_start_fen;
    m_chess960 = other.m_chess960;
    m_flag_b = other.m_flag_b;
    return *this;
}

void PositionCore::clear()
{
    m_board.clear();
    m_start_fen = "8/8/8/8/8/8/8/8 w - - 0 1";
    m_ply_records.assign(1, PlyRecord());
    m_move_number = 1;
    m_hash.recompute(m_board);
    key_list_init(m_repetition_keys);
    push_key_raw(m_repetition_keys, hash_key());
    compute_material();
}

void PositionCore::put_piece(const Square& square, const Piece& piece)
{
    m_board.put_piece(square, static_cast<int>(piece.code()));
    m_board.update_derived();
}

void PositionCore::remove_piece(const Square& square, const Piece& piece)
{
    m_board.remove_piece(square, static_cast<int>(piece.code()));
    m_board.update_derived();
}

std::uint16_t PositionCore::castling_flags_after(const Move& move) const
{
    std::uint16_t flags = castling_flags();
    if (flags == 0) {
        return flags;
    }
    if (move.moving_piece_code() == white_king_code) {
        flags &= 0xFF00;
    } else if (move.moving_piece_code() == black_king_code) {
        flags &= 0x00FF;
    }
    // A move from or to a back-rank square ends the right of a rook standing
    // there: rook moves, rook captures and castling (king onto rook) alike.
    for (const Square square : {move.from(), move.to()}) {
        if (square.value() < 8) {
            flags &= static_cast<std::uint16_t>(~(1u << square.file()));
        } else if (square.value() >= 56 && square.value() < 64) {
            flags &= static_cast<std::uint16_t>(~(1u << (8 + square.file())));
        }
    }
    return flags;
}

Square PositionCore::en_passant_after(const Move& move) const
{
    const int moving = move.moving_piece_code();
    if ((moving != white_pawn_code && moving != black_pawn_code) || std::abs(move.to() - move.from()) != 16) {
        return Square();
    }
    // Only a square on which an enemy pawn can capture counts, as in Polyglot keys.
    const std::uint32_t enemy_pawn = moving == white_pawn_code ? black_pawn_code : white_pawn_code;
    const Square to = move.to();
    const bool left = to.file() > 0 && m_board.piece_at(to - 1) == enemy_pawn;
    const bool right = to.file() < 7 && m_board.piece_at(to + 1) == enemy_pawn;
    if (!left && !right) {
        return Square();
    }
    return Square(static_cast<int>((move.from().value() + to.value()) / 2));
}

void PositionCore::do_move(const Move& move)
{
    const std::uint16_t flags = castling_flags_after(move);
    m_board.make_move(move);
    const bool resets_clock = move.moving_piece().is_pawn() || move.captured_piece_code() != 0;
    PlyRecord record = current();
    record.castling_flags = flags;
    record.halfmove_clock = resets_clock ? 0 : static_cast<std::uint16_t>(record.halfmove_clock + 1);
    record.move = move;
    record.en_passant = en_passant_after(move);
    m_ply_records.push_back(record);
    update_check_info();
    if (m_board.side_to_move() == 1) {
        ++m_move_number;
    }
    m_hash.update(move);
    push_key(m_repetition_keys, move, hash_key());
    m_material.update_make(move);
}

void PositionCore::undo_move()
{
    const Move move = current().move;
    m_board.unmake_move(move);
    m_ply_records.pop_back();
    if (m_board.side_to_move() == 0) {
        --m_move_number;
    }
    m_hash.pop();
    pop_key(m_repetition_keys);
    m_material.update_unmake(move);
}

std::uint64_t PositionCore::do_move_bookkeeping(const Move& move)
{
    PlyRecord record = current();
    record.castling_flags = castling_flags_after(move);
    record.en_passant = en_passant_after(move);
    m_board.toggle_side_to_move();
    m_ply_records.push_back(record);
    m_hash.update(move);
    const std::uint64_t key = hash_key();
    m_hash.pop();
    m_ply_records.pop_back();
    m_board.toggle_side_to_move();
    return key;
}

void PositionCore::update_check_info()
{
    PlyRecord& record = current();
    record.pinned.clear();
    record.discovering.clear();
    const Bitboard occupied = m_board.occupied();
    const auto scan = [&](Square king, Bitboard diagonal_attackers, Bitboard straight_attackers,
                          const Bitboard& attacker_side) {
        if (king.value() >= 64) {
            return;
        }
        Bitboard candidates = (diagonal_attackers & m_geometry.bishop_rays(king))
            | (straight_attackers & m_geometry.rook_rays(king));
        while (candidates) {
            const Square slider = candidates.pop_first_square();
            const Bitboard blockers = occupied & m_geometry.between(slider, king);
            if (blockers.is_single()) {
                // A lone piece of the slider's side discovers; one of the king's side is pinned.
                (blockers & attacker_side ? record.discovering : record.pinned) |= blockers;
            }
        }
    };
    record.black_king = m_board.black_king().first_square();
    scan(record.black_king, m_board.white_queens() | m_board.white_bishops(),
         m_board.white_queens() | m_board.white_rooks(), m_board.white_pieces());
    record.white_king = m_board.white_king().first_square();
    scan(record.white_king, m_board.black_queens() | m_board.black_bishops(),
         m_board.black_queens() | m_board.black_rooks(), m_board.black_pieces());
}

void PositionCore::compute_material()
{
    m_material.clear();
    m_material.add_white_queens(m_board.white_queens().count());
    m_material.add_white_rooks(m_board.white_rooks().count());
    m_material.add_white_bishops(m_board.white_bishops().count());
    m_material.add_white_knights(m_board.white_knights().count());
    m_material.add_white_pawns(m_board.white_pawns().count());
    m_material.add_black_queens(m_board.black_queens().count());
    m_material.add_black_rooks(m_board.black_rooks().count());
    m_material.add_black_bishops(m_board.black_bishops().count());
    m_material.add_black_knights(m_board.black_knights().count());
    m_material.add_black_pawns(m_board.black_pawns().count());
    m_material.phase_index();
}

std::uint64_t PositionCore::hash_key() const
{
    return m_hash.key(castling_flags(), en_passant_square(), m_board.side_to_move());
}

std::uint64_t PositionCore::pawn_key() const
{
    return m_hash.top();
}

std::vector<Move> PositionCore::move_history() const
{
    std::vector<Move> moves;
    for (std::size_t i = 1; i < m_ply_records.size(); ++i) {
        moves.push_back(m_ply_records[i].move);
    }
    return moves;
}

int PositionCore::compare(const PositionCore& other) const
{
    const PlyRecord& mine = current();
    const PlyRecord& theirs = other.current();
    const bool equal = m_board.compare(other.m_board) == 0 && m_move_number == other.m_move_number
        && mine.halfmove_clock == theirs.halfmove_clock && mine.castling_flags == theirs.castling_flags
        && mine.en_passant == theirs.en_passant && mine.pinned == theirs.pinned
        && mine.discovering == theirs.discovering;
    return equal ? 1 : 0;
}
