#pragma once

#include <array>
#include <cstdint>
#include <vector>

#include "core/bitboard.h"
#include "core/magic_numbers.h"
#include "core/square.h"

// Bishop and rook attacks for any occupancy by magic multiplication: one mask,
// one multiply, one shift, a byte read and a table read. Per square the tables
// are compact: a byte index per magic index into the sorted list of the square's
// distinct attack sets. The tables never change after construction, so the
// program builds one instance (see shared) and every position reads it.
class MagicMoves {
public:
    // Builds every table from the built-in records. Throws std::logic_error
    // "MagicMoves error(1) in constructor" (bishops) or "MagicMoves error(2) in
    // constructor" (rooks) when a record maps two different attack sets to one index.
    MagicMoves();
    MagicMoves(const MagicMoves&) = delete;
    MagicMoves& operator=(const MagicMoves&) = delete;

    // The process-wide instance, built on first use (thread-safe).
    static const MagicMoves& shared();

    // Squares attacked from a square (0..63) under an occupancy of any squares:
    // each ray up to and including its first occupied square.
    const Bitboard& bishop_attacks(const Square& square, const Bitboard& occupancy) const
    {
        return m_bishop[square.value()].lookup(occupancy);
    }
    const Bitboard& rook_attacks(const Square& square, const Bitboard& occupancy) const
    {
        return m_rook[square.value()].lookup(occupancy);
    }

    // The relevant occupancy of a square: its empty-board attacks without the edge square of each ray.
    const Bitboard& rook_mask(const Square& square) const { return m_rook_masks[square.value()]; }
    const Bitboard& bishop_mask(const Square& square) const { return m_bishop_masks[square.value()]; }

    // The distinct attack sets of a square in ascending order of their value.
    const std::vector<Bitboard>& bishop_attack_list(const Square& square) const
    {
        return m_bishop_attack_lists[square.value()];
    }
    const std::vector<Bitboard>& rook_attack_list(const Square& square) const
    {
        return m_rook_attack_lists[square.value()];
    }

    // Attack sets computed by walking the rays: the reference the tables are built from.
    static Bitboard slow_rook_attacks(const Square& square, const Bitboard& occupancy);
    static Bitboard slow_bishop_attacks(const Square& square, const Bitboard& occupancy);
    // Every subset of a mask: subset i holds the j-th mask square (ascending) when bit j of i is set.
    static std::vector<Bitboard> occupancy_subsets(const Bitboard& mask);

    // Bytes held by the index tables and attack lists (a diagnostic figure).
    int table_bytes() const;
    // Checks that no attack list repeats a set and that every lookup of every
    // mask subset equals the slow attacks; reports the first fault on standard output.
    bool selftest_ok() const;

private:
    using FullTables = std::array<std::vector<Bitboard>, 64>;
    using AttackFunction = Bitboard (*)(const Square&, const Bitboard&);

    // What one lookup reads, kept together for the hot path; the pointers point
    // into this object's index tables and attack lists.
    struct SliderSquare {
        Bitboard mask;
        std::uint64_t magic = 0;
        std::uint32_t shift = 0;
        const std::uint8_t* index = nullptr;
        const Bitboard* attacks = nullptr;

        const Bitboard& lookup(const Bitboard& occupancy) const
        {
            return attacks[index[((occupancy & mask).value() * magic) >> shift]];
        }
    };

    void init_rook_masks();
    void init_bishop_masks();
    FullTables build_bishop_table() const;
    FullTables build_rook_table() const;
    static FullTables build_table(const std::array<Bitboard, 64>& masks,
                                  const std::array<MagicRecord, 64>& records,
                                  AttackFunction slow_attacks, const char* error);
    static void compress(const FullTables& full, std::array<std::vector<std::uint8_t>, 64>& index_tables,
                         std::array<std::vector<Bitboard>, 64>& attack_lists, const char* error);
    static bool attack_lists_unique(const std::array<std::vector<Bitboard>, 64>& lists, const char* name);
    static bool lookups_match(const std::array<SliderSquare, 64>& sliders,
                              AttackFunction slow_attacks, const char* name);

    std::array<Bitboard, 64> m_rook_masks;
    std::array<Bitboard, 64> m_bishop_masks;
    std::array<MagicRecord, 64> m_bishop_records;
    std::array<MagicRecord, 64> m_rook_records;
    std::array<std::vector<std::uint8_t>, 64> m_bishop_index_tables;
    std::array<std::vector<Bitboard>, 64> m_bishop_attack_lists;
    std::array<std::vector<std::uint8_t>, 64> m_rook_index_tables;
    std::array<std::vector<Bitboard>, 64> m_rook_attack_lists;
    std::array<SliderSquare, 64> m_bishop;
    std::array<SliderSquare, 64> m_rook;
};
