#pragma once

#include "game/polyglot_move.h"

#include <cstdint>
#include <vector>

// One 16-byte record of a Polyglot book: key, move, weight and learn value,
// each stored big-endian.
class PolyglotEntry {
public:
    static constexpr std::size_t size_in_bytes = 16;

    // Reads the four fields from exactly 16 raw bytes; throws std::logic_error otherwise.
    explicit PolyglotEntry(const std::vector<unsigned char>& bytes);

    std::uint64_t key() const { return m_key; }
    PolyglotMove move() const { return m_move; }
    std::uint16_t weight() const { return m_weight; }
    std::uint32_t learn() const { return m_learn; }

private:
    std::uint64_t m_key = 0;
    PolyglotMove m_move;
    std::uint16_t m_weight = 0;
    std::uint32_t m_learn = 0;
};
