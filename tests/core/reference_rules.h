#pragma once

// Test support: an independent model of the rules of chess (ray walking on the
// mailbox, no tables) and checks of a position's incremental state against it
// and against a full rebuild.

#include <gtest/gtest.h>

#include <algorithm>
#include <initializer_list>
#include <random>
#include <string>
#include <utility>
#include <vector>

#include "core/chess_position.h"
#include "core/move_generator.h"
#include "core/move_list.h"

namespace reference_rules {

inline bool on_board(int file, int rank) { return file >= 0 && file < 8 && rank >= 0 && rank < 8; }

inline bool attacked(const BoardPosition& board, int square, bool by_white)
{
    const int base = by_white ? 0 : 8;
    const int file = square % 8;
    const int rank = square / 8;
    const auto holds = [&](int f, int r, std::initializer_list<int> kinds) {
        if (!on_board(f, r)) return false;
        const std::uint32_t code = board.piece_at(Square(8 * r + f));
        for (int kind : kinds) {
            if (code == static_cast<std::uint32_t>(base + kind)) return true;
        }
        return false;
    };
    const int pawn_rank = by_white ? rank - 1 : rank + 1;
    if (holds(file - 1, pawn_rank, {1}) || holds(file + 1, pawn_rank, {1})) return true;
    for (auto [df, dr] : {std::pair{1, 2}, {2, 1}, {2, -1}, {1, -2}, {-1, -2}, {-2, -1}, {-2, 1}, {-1, 2}}) {
        if (holds(file + df, rank + dr, {2})) return true;
    }
    for (int df = -1; df <= 1; ++df) {
        for (int dr = -1; dr <= 1; ++dr) {
            if ((df != 0 || dr != 0) && holds(file + df, rank + dr, {6})) return true;
            if (df == 0 && dr == 0) continue;
            const bool diagonal = df != 0 && dr != 0;
            for (int f = file + df, r = rank + dr; on_board(f, r); f += df, r += dr) {
                if (board.piece_at(Square(8 * r + f)) != 0) {
                    if (holds(f, r, {diagonal ? 3 : 4, 5})) return true;
                    break;
                }
            }
        }
    }
    return false;
}

inline Bitboard attacked_set(const BoardPosition& board, bool by_white)
{
    Bitboard result;
    for (int square = 0; square < 64; ++square) {
        if (attacked(board, square, by_white)) result.set(Square(square));
    }
    return result;
}

inline std::vector<Move> pseudo_legal_moves(const ChessPosition& position)
{
    const BoardPosition& board = position.board();
    const bool white = board.side_to_move() == 1;
    const int base = white ? 0 : 8;
    std::vector<Move> moves;
    const auto own = [&](std::uint32_t code) { return code != 0 && (code < 8) == white; };
    const auto enemy = [&](std::uint32_t code) { return code != 0 && (code < 8) != white; };
    const auto add = [&](int from, int to, int kind, int captured) {
        moves.emplace_back(Square(from), Square(to), kind, static_cast<int>(board.piece_at(Square(from))), captured);
    };
    for (int from = 0; from < 64; ++from) {
        const std::uint32_t code = board.piece_at(Square(from));
        if (!own(code)) continue;
        const int file = from % 8;
        const int rank = from / 8;
        const int kind = static_cast<int>(code & 7);
        if (kind == 1) {
            const int forward = white ? 1 : -1;
            const int last_rank = white ? 7 : 0;
            const auto pawn_move = [&](int to, int captured) {
                if (to / 8 == last_rank) {
                    for (int promotion = promo_queen; promotion <= promo_knight; ++promotion) add(from, to, promotion, captured);
                } else {
                    add(from, to, normal_move, captured);
                }
            };
            const int ahead = from + 8 * forward;
            if (board.piece_at(Square(ahead)) == 0) {
                pawn_move(ahead, 0);
                const int start_rank = white ? 1 : 6;
                if (rank == start_rank && board.piece_at(Square(ahead + 8 * forward)) == 0) add(from, ahead + 8 * forward, normal_move, 0);
            }
            for (int df : {-1, 1}) {
                if (!on_board(file + df, rank + forward)) continue;
                const int to = ahead + df;
                const std::uint32_t target = board.piece_at(Square(to));
                if (enemy(target) && (target & 7) != 6) pawn_move(to, static_cast<int>(target));
                if (position.en_passant_square() == Square(to)) add(from, to, en_passant, white ? 9 : 1);
            }
            continue;
        }
        std::vector<std::pair<int, int>> steps;
        bool slides = false;
        if (kind == 2) steps = {{1, 2}, {2, 1}, {2, -1}, {1, -2}, {-1, -2}, {-2, -1}, {-2, 1}, {-1, 2}};
        if (kind == 3 || kind == 5) steps.insert(steps.end(), {{1, 1}, {1, -1}, {-1, 1}, {-1, -1}});
        if (kind == 4 || kind == 5) steps.insert(steps.end(), {{1, 0}, {-1, 0}, {0, 1}, {0, -1}});
        if (kind == 6) steps = {{1, 1}, {1, 0}, {1, -1}, {0, 1}, {0, -1}, {-1, 1}, {-1, 0}, {-1, -1}};
        slides = kind >= 3 && kind <= 5;
        for (auto [df, dr] : steps) {
            for (int f = file + df, r = rank + dr; on_board(f, r); f += df, r += dr) {
                const std::uint32_t target = board.piece_at(Square(8 * r + f));
                if (own(target)) break;
                if ((target & 7) != 6) add(from, 8 * r + f, normal_move, static_cast<int>(target));
                if (target != 0 || !slides) break;
            }
        }
    }
    // Castling by the rules of both chess and Chess960.
    const int back = white ? 0 : 56;
    const Bitboard king = white ? board.white_king() : board.black_king();
    for (int file = 0; file < 8; ++file) {
        if (!(position.castling_flags() & (1u << (file + (white ? 0 : 8))))) continue;
        const int king_square = static_cast<int>(king.first_square().value());
        const int rook_square = back + file;
        const bool h_side = rook_square > king_square;
        const int king_target = back + (h_side ? 6 : 2);
        const int rook_target = back + (h_side ? 5 : 3);
        bool possible = !attacked(board, king_square, !white);
        const auto span = [](int a, int b, auto check) {
            for (int s = std::min(a, b); s <= std::max(a, b); ++s) check(s);
        };
        const auto free = [&](int s) {
            if (s != king_square && s != rook_square && board.piece_at(Square(s)) != 0) possible = false;
        };
        span(king_square, king_target, free);
        span(rook_square, rook_target, free);
        span(king_square, king_target, [&](int s) {
            if (attacked(board, s, !white)) possible = false;
        });
        if (possible) moves.emplace_back(Square(king_square), Square(rook_square), castling, base + 6, 0);
    }
    return moves;
}

// Legal moves of the independent model: the mover's king is not left attacked.
inline std::vector<Move> legal_moves(const ChessPosition& position)
{
    std::vector<Move> legal;
    for (const Move& move : pseudo_legal_moves(position)) {
        BoardPosition board = position.board();
        const bool white = board.side_to_move() == 1;
        board.make_move(move);
        const Bitboard king = white ? board.white_king() : board.black_king();
        if (!attacked(board, static_cast<int>(king.first_square().value()), !white)) legal.push_back(move);
    }
    return legal;
}

// Move codes without the check mark, sorted, to compare move sets.
inline std::vector<std::uint32_t> codes_of(const std::vector<Move>& moves)
{
    std::vector<std::uint32_t> codes;
    for (const Move& move : moves) {
        codes.push_back(move.code() & 0xFF7FFFu);
    }
    std::sort(codes.begin(), codes.end());
    return codes;
}

inline void expect_attack_info_current(const ChessPosition& position, const std::string& context)
{
    ChessPosition rebuilt = position;
    rebuilt.compute_attack_info();
    SCOPED_TRACE(context);
    EXPECT_EQ(position.white_attacked(), rebuilt.white_attacked());
    EXPECT_EQ(position.black_attacked(), rebuilt.black_attacked());
    EXPECT_EQ(position.white_attacked(), attacked_set(position.board(), true));
    EXPECT_EQ(position.black_attacked(), attacked_set(position.board(), false));
    EXPECT_EQ(position.white_pawn_union(), rebuilt.white_pawn_union());
    EXPECT_EQ(position.black_pawn_union(), rebuilt.black_pawn_union());
    EXPECT_EQ(position.white_knight_union(), rebuilt.white_knight_union());
    EXPECT_EQ(position.black_knight_union(), rebuilt.black_knight_union());
    EXPECT_EQ(position.white_bishop_union(), rebuilt.white_bishop_union());
    EXPECT_EQ(position.black_bishop_union(), rebuilt.black_bishop_union());
    EXPECT_EQ(position.white_rook_union(), rebuilt.white_rook_union());
    EXPECT_EQ(position.black_rook_union(), rebuilt.black_rook_union());
    EXPECT_EQ(position.white_queen_union(), rebuilt.white_queen_union());
    EXPECT_EQ(position.black_queen_union(), rebuilt.black_queen_union());
    EXPECT_EQ(position.white_king_union(), rebuilt.white_king_union());
    EXPECT_EQ(position.black_king_union(), rebuilt.black_king_union());
    EXPECT_EQ(position.white_bishop_xray_union(), rebuilt.white_bishop_xray_union());
    EXPECT_EQ(position.black_bishop_xray_union(), rebuilt.black_bishop_xray_union());
    EXPECT_EQ(position.white_rook_xray_union(), rebuilt.white_rook_xray_union());
    EXPECT_EQ(position.black_rook_xray_union(), rebuilt.black_rook_xray_union());
    EXPECT_EQ(position.white_queen_xray_union(), rebuilt.white_queen_xray_union());
    EXPECT_EQ(position.black_queen_xray_union(), rebuilt.black_queen_xray_union());
    for (int square = 0; square < 64; ++square) {
        if (position.board().piece_at(Square(square)) != 0) {
            EXPECT_EQ(position.attack_table(Square(square)), rebuilt.attack_table(Square(square))) << square;
            EXPECT_EQ(position.xray_table(Square(square)), rebuilt.xray_table(Square(square))) << square;
        }
    }
}

// Everything a take-back must restore.
struct Snapshot {
    std::string fen;
    std::uint64_t key;
    std::uint64_t pawn_key;
    std::uint64_t material;
    std::uint32_t material_key;
    std::uint32_t phase;
    RepetitionKeys repetition_keys;
    std::size_t plies;
    Bitboard pinned;
    Bitboard discovering;

    explicit Snapshot(const ChessPosition& p)
        : fen(p.fen()), key(p.hash_key()), pawn_key(p.pawn_key()), material(p.material().counts()),
          material_key(p.material().key()), phase(p.material().phase()), repetition_keys(p.repetition_keys()),
          plies(p.ply_records().size()), pinned(p.pinned_pieces()), discovering(p.discovering_pieces())
    {
    }
    bool operator==(const Snapshot&) const = default;
};

// Plays random games from a start position with the generator's moves; after
// every move and take-back the position's incremental state must match the
// model and a rebuild, and every take-back must restore the position exactly.
inline void check_random_games(const char* start, std::mt19937& random, int games, int plies)
{
    for (int game = 0; game < games; ++game) {
        ChessPosition position;
        position.set_fen(start);
        position.set_chess960(std::string(start).find(" w K") == std::string::npos);
        std::vector<Snapshot> history;
        for (int ply = 0; ply < plies; ++ply) {
            MoveList list;
            MoveGenerator generator;
            generator.generate(position, list);
            const std::vector<Move> moves = list.to_vector();
            ASSERT_EQ(codes_of(moves), codes_of(legal_moves(position))) << position.fen();
            for (const Move& move : moves) {
                // Two independent ways to the check mark: the generator's ray
                // tests and the coordinate reader's scratch board.
                const Move read = position.convert_to_move(move.to_string(true));
                EXPECT_EQ(read, move) << position.fen() << " " << move.to_string(true);
            }
            ASSERT_EQ(position.in_check(), attacked(position.board(),
                      static_cast<int>((position.board().side_to_move() == 1 ? position.board().white_king()
                                                                            : position.board().black_king())
                                           .first_square().value()),
                      position.board().side_to_move() == 0));
            EXPECT_EQ(position.is_checkmate(), moves.empty() && position.in_check()) << position.fen();
            if (moves.empty()) break;
            const Move move = moves[random() % moves.size()];
            history.emplace_back(position);
            const std::uint64_t predicted = position.do_move_bookkeeping(move);
            EXPECT_TRUE(Snapshot(position) == history.back()) << "bookkeeping changed " << position.fen();
            position.make_move(move);
            EXPECT_EQ(predicted, position.hash_key()) << position.fen();
            const std::string context = position.fen() + " after " + move.to_string(true);
            expect_attack_info_current(position, context);
            ChessPosition read;
            read.set_chess960(true);
            read.set_fen(position.fen());
            EXPECT_EQ(read.hash_key(), position.hash_key()) << context;
            EXPECT_EQ(read.pawn_key(), position.pawn_key()) << context;
            EXPECT_EQ(read.compare(position), 1) << context;
            EXPECT_EQ(read.material().counts(), position.material().counts()) << context;
            if (ply % 3 == 2) {
                position.take_back();
                expect_attack_info_current(position, "take-back to " + position.fen());
                EXPECT_TRUE(Snapshot(position) == history.back()) << context;
                history.pop_back();
            }
        }
        while (position.ply_records().size() > 1) {
            position.take_back();
            EXPECT_TRUE(Snapshot(position) == history.back());
            history.pop_back();
        }
        expect_attack_info_current(position, std::string("back at ") + start);
    }
}

}
