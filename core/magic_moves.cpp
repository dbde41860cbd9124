#include "core/magic_moves.h"

#include <algorithm>
#include <iostream>
#include <stdexcept>

#include "core/bitboard_masks.h"
#include "core/bitboard_steps.h"

namespace {

constexpr const char* bishop_error = "MagicMoves error(1) in constructor";
constexpr const char* rook_error = "MagicMoves error(2) in constructor";

// Grows a set six times by one guarded step: the rays of a mask before their edge cut.
template <typename Step>
Bitboard grow_six(const Bitboard& start, Step step)
{
    Bitboard t = start;
    for (int i = 0; i < 6; ++i)
        t |= step(t);
    return t;
}

// Walks each direction from the square, adding squares up to and including the first occupied one.
template <typename... Steps>
Bitboard walk_rays(const Square& square, const Bitboard& occupancy, Steps... steps)
{
    Bitboard attacks;
    auto walk = [&](auto step) {
        Bitboard t = square.bit();
        for (int i = 0; i < 7; ++i) {
            t = step(t);
            attacks |= t;
            if (t & occupancy)
                break;
        }
    };
    (walk(steps), ...);
    return attacks;
}


}

MagicMoves::MagicMoves()
{
    init_rook_masks();
    init_bishop_masks();
    m_bishop_records = bishop_magic_records;
    m_rook_records = rook_magic_records;

    compress(build_bishop_table(), m_bishop_index_tables, m_bishop_attack_lists, bishop_error);
    compress(build_rook_table(), m_rook_index_tables, m_rook_attack_lists, rook_error);

    for (int s = 0; s < 64; ++s) {
        m_bishop[s] = {m_bishop_masks[s], m_bishop_records[s].magic, m_bishop_records[s].shift % 64,
                       m_bishop_index_tables[s].data(), m_bishop_attack_lists[s].data()};
        m_rook[s] = {m_rook_masks[s], m_rook_records[s].magic, m_rook_records[s].shift % 64,
                     m_rook_index_tables[s].data(), m_rook_attack_lists[s].data()};
    }
}

const MagicMoves& MagicMoves::shared()
{
    static const MagicMoves tables;
    return tables;
}

void MagicMoves::init_rook_masks()
{
    for (int s = 0; s < 64; ++s) {
        const Bitboard own = Square(s).bit();
        const Bitboard vertical = (grow_six(own, step_north) | grow_six(own, step_south)) & ~mask_ranks_1_8;
        const Bitboard horizontal = (grow_six(own, step_east) | grow_six(own, step_west)) & ~mask_files_a_h;
        m_rook_masks[s] = (vertical | horizontal) & ~own;
    }
}

void MagicMoves::init_bishop_masks()
{
    for (int s = 0; s < 64; ++s) {
        const Bitboard own = Square(s).bit();
        const Bitboard diagonals = grow_six(own, step_north_west) | grow_six(own, step_north_east)
                                   | grow_six(own, step_south_west) | grow_six(own, step_south_east);
        m_bishop_masks[s] = diagonals & ~mask_rim & ~own;
    }
}

Bitboard MagicMoves::slow_rook_attacks(const Square& square, const Bitboard& occupancy)
{
    return walk_rays(square, occupancy, step_north, step_east, step_west, step_south);
}

Bitboard MagicMoves::slow_bishop_attacks(const Square& square, const Bitboard& occupancy)
{
    return walk_rays(square, occupancy, step_north_west, step_north_east, step_south_west, step_south_east);
}

std::vector<Bitboard> MagicMoves::occupancy_subsets(const Bitboard& mask)
{
    const std::vector<Square> squares = mask.squares();
    const std::size_t count = std::size_t{1} << squares.size();
    std::vector<Bitboard> subsets(count);
    for (std::size_t i = 0; i < count; ++i)
        for (std::size_t j = 0; j < squares.size(); ++j)
            if (i & (std::size_t{1} << j))
                subsets[i].set(squares[j]);
    return subsets;
}

MagicMoves::FullTables MagicMoves::build_bishop_table() const
{
    return build_table(m_bishop_masks, m_bishop_records, slow_bishop_attacks, bishop_error);
}

MagicMoves::FullTables MagicMoves::build_rook_table() const
{
    return build_table(m_rook_masks, m_rook_records, slow_rook_attacks, rook_error);
}

MagicMoves::FullTables MagicMoves::build_table(const std::array<Bitboard, 64>& masks,
                                               const std::array<MagicRecord, 64>& records,
                                               AttackFunction slow_attacks, const char* error)
{
    FullTables full;
    for (int s = 0; s < 64; ++s) {
        const std::uint32_t shift = records[s].shift % 64;
        full[s].assign(std::size_t{1} << (64 - shift), Bitboard());
        std::vector<bool> reached(full[s].size(), false);
        for (const Bitboard& subset : occupancy_subsets(masks[s])) {
            const std::size_t index = (subset.value() * records[s].magic) >> shift;
            const Bitboard attacks = slow_attacks(Square(s), subset);
            // Two occupancies may share an index only when they have the same attacks.
            if (reached[index] && full[s][index] != attacks)
                throw std::logic_error(error);
            reached[index] = true;
            full[s][index] = attacks;
        }
    }
    return full;
}

void MagicMoves::compress(const FullTables& full, std::array<std::vector<std::uint8_t>, 64>& index_tables,
                          std::array<std::vector<Bitboard>, 64>& attack_lists, const char* error)
{
    for (int s = 0; s < 64; ++s) {
        std::vector<Bitboard>& list = attack_lists[s];
        list = full[s];
        std::sort(list.begin(), list.end());
        list.erase(std::unique(list.begin(), list.end()), list.end());
        // The index entries are bytes.
        if (list.size() > 256)
            throw std::logic_error(error);
        list.shrink_to_fit();

        index_tables[s].clear();
        index_tables[s].reserve(full[s].size());
        for (const Bitboard& attacks : full[s]) {
            const auto position = std::lower_bound(list.begin(), list.end(), attacks) - list.begin();
            index_tables[s].push_back(static_cast<std::uint8_t>(position));
        }
    }
}

int MagicMoves::table_bytes() const
{
    std::size_t bytes = 0;
    for (int s = 0; s < 64; ++s) {
        bytes += m_bishop_index_tables[s].size() + m_rook_index_tables[s].size();
        bytes += sizeof(Bitboard) * (m_bishop_attack_lists[s].size() + m_rook_attack_lists[s].size());
    }
    return static_cast<int>(bytes);
}

bool MagicMoves::selftest_ok() const
{
    return attack_lists_unique(m_bishop_attack_lists, "bishopattacks")
           && attack_lists_unique(m_rook_attack_lists, "rookattacks")
           && lookups_match(m_bishop, slow_bishop_attacks, "bishop")
           && lookups_match(m_rook, slow_rook_attacks, "rook");
}

bool MagicMoves::attack_lists_unique(const std::array<std::vector<Bitboard>, 64>& lists, const char* name)
{
    for (int s = 0; s < 64; ++s) {
        const std::vector<Bitboard>& list = lists[s];
        for (std::size_t i = 0; i < list.size(); ++i) {
            for (std::size_t j = i + 1; j < list.size(); ++j) {
                if (list[i] == list[j]) {
                    std::cout << "\nMagicMoves::selftest_ok() error in " << name << "   square=" << s
                              << "   i=" << i << "   j=" << j << "\n";
                    return false;
                }
            }
        }
    }
    return true;
}

bool MagicMoves::lookups_match(const std::array<SliderSquare, 64>& sliders, AttackFunction slow_attacks,
                               const char* name)
{
    for (int s = 0; s < 64; ++s) {
        for (const Bitboard& subset : occupancy_subsets(sliders[s].mask)) {
            const Bitboard expected = slow_attacks(Square(s), subset);
            const Bitboard& found = sliders[s].lookup(subset);
            if (found != expected) {
                const std::uint64_t index = (subset.value() * sliders[s].magic) >> sliders[s].shift;
                std::cout << "square=" << s << "\nindex=" << index << "\nmagic_" << name
                          << "_moves: " << std::hex << expected.value() << "\n" << name
                          << "_attacks: " << found.value() << std::dec << "\n";
                return false;
            }
        }
    }
    return true;
}
