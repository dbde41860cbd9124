#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "core/move.h"

// The piece-count signature of a position: ten 4-bit counts (queens, rooks,
// bishops, knights and pawns of each colour; kings are not counted) in one
// word, white in the upper half and black in the lower, queens most
// significant, so comparing the halves compares queens first. Beside it a
// 32-bit material key and a game phase from 0 (full material) to 1024 (bare kings).
class Material {
public:
    // All fields 0.
    void clear() { m_packed_counts = 0; m_material_key = 0; m_phase_value = 0; }

    // Build the signature after clear(), once per kind: counts must be 0..15.
    void add_white_queens(int count);
    void add_white_rooks(int count);
    void add_white_bishops(int count);
    void add_white_knights(int count);
    void add_white_pawns(int count);
    void add_black_queens(int count);
    void add_black_rooks(int count);
    void add_black_bishops(int count);
    void add_black_knights(int count);
    void add_black_pawns(int count);

    // One piece of a code more or less; returns the key delta of the code (0 for kings and non-pieces).
    std::uint32_t add_piece(int code);
    std::uint32_t remove_piece(int code);
    // Copies the counts only and returns them.
    std::uint64_t assign(const Material& other);

    int white_queens() const { return count_at(48); }
    int white_rooks() const { return count_at(44); }
    int white_bishops() const { return count_at(40); }
    int white_knights() const { return count_at(36); }
    int white_pawns() const { return count_at(32); }
    int black_queens() const { return count_at(16); }
    int black_rooks() const { return count_at(12); }
    int black_bishops() const { return count_at(8); }
    int black_knights() const { return count_at(4); }
    int black_pawns() const { return count_at(0); }

    std::uint64_t& counts() { return m_packed_counts; }
    std::uint64_t counts() const { return m_packed_counts; }
    std::uint32_t key() const { return m_material_key; }
    std::uint32_t phase() const { return m_phase_value; }

    bool operator<(const Material& other) const { return m_packed_counts < other.m_packed_counts; }
    bool operator==(const Material& other) const { return m_packed_counts == other.m_packed_counts; }
    bool operator!=(const Material& other) const { return m_packed_counts != other.m_packed_counts; }
    // The same material on both sides.
    bool halves_equal() const { return white_half() == black_half(); }
    // White's half above or below Black's, queens compared first.
    bool white_greater() const { return white_half() > black_half(); }
    bool white_less() const { return white_half() < black_half(); }
    // Exchanges the colours of the counts; key and phase stay.
    void flip();

    // "K", the white pieces as Q, R, B, N, P repeated by count, "k", the black ones: e.g. "KRkr".
    std::string text() const;
    // Recomputes the phase from the non-pawn material.
    void phase_index();

    // The signature after a move is made, and before it once it is taken back.
    void update_make(const Move& move);
    void update_unmake(const Move& move);

    // Material balance in centipawns from the counts alone, positive for White.
    int evaluate() const;
    // The class 1..17 of a known endgame, 0 for anything else.
    int endgame_kind() const;
    // The steps of evaluate() as text, one "  score=" line per step.
    std::string print() const;

private:
    struct Side {
        int queens, rooks, bishops, knights, pawns;
        int minors() const { return bishops + knights; }
        int majors() const { return queens + rooks; }
        int pieces() const { return minors() + majors(); }
        bool operator==(const Side&) const = default;
    };

    int count_at(int shift) const { return static_cast<int>((m_packed_counts >> shift) & 15); }
    std::uint32_t white_half() const { return static_cast<std::uint32_t>(m_packed_counts >> 32); }
    std::uint32_t black_half() const { return static_cast<std::uint32_t>(m_packed_counts); }
    Side white() const;
    Side black() const;
    void add_count(int shift, std::uint32_t multiplier, int count);
    void apply_promotion(const Move& move, bool making);
    static int base_score(const Side& side);
    static int knight_adjustment(const Side& side);
    static int rook_adjustment(const Side& side);
    static int redundant_rook_penalty(const Side& white, const Side& black);
    static int exchange_adjustment(const Side& white, const Side& black);
    static int bishop_pair_bonus(const Side& white, const Side& black);
    static std::optional<int> mating_material_result(const Side& white, const Side& black);
    static int progress(int score, const Side& white, const Side& black);
    static int endgame_class(const Side& strong, const Side& weak);

    std::uint64_t m_packed_counts = 0;
    std::uint32_t m_material_key = 0;
    std::uint32_t m_phase_value = 0;
};
