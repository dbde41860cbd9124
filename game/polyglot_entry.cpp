#include "game/polyglot_entry.h"

#include <stdexcept>
#include <string>

namespace {

std::uint64_t read_big_endian(const std::vector<unsigned char>& bytes, std::size_t first, std::size_t count)
{
    std::uint64_t value = 0;
    for (std::size_t i = first; i < first + count; ++i)
        value = (value << 8) | bytes[i];
    return value;
}

}

PolyglotEntry::PolyglotEntry(const std::vector<unsigned char>& bytes)
{
    if (bytes.size() != size_in_bytes)
        throw std::logic_error("PolyglotEntry::PolyglotEntry() needs 16 bytes, got " + std::to_string(bytes.size()));
    m_key = read_big_endian(bytes, 0, 8);
    m_move.set(static_cast<int>(read_big_endian(bytes, 8, 2)));
    m_weight = static_cast<std::uint16_t>(read_big_endian(bytes, 10, 2));
    m_learn = static_cast<std::uint32_t>(read_big_endian(bytes, 12, 4));
}
