#include "tests/game/polyglot_book_file.h"

#include <fstream>
#include <iterator>
#include <stdexcept>

namespace polyglot_test {

namespace {

void put_big_endian(std::string& out, std::uint64_t value, int bytes)
{
    for (int shift = 8 * (bytes - 1); shift >= 0; shift -= 8)
        out += static_cast<char>((value >> shift) & 0xFF);
}

std::uint64_t get_big_endian(const std::string& in, std::size_t first, int bytes)
{
    std::uint64_t value = 0;
    for (int i = 0; i < bytes; ++i)
        value = (value << 8) | static_cast<unsigned char>(in[first + static_cast<std::size_t>(i)]);
    return value;
}

}

void write_book(const std::string& path, const std::vector<RawEntry>& entries, const std::string& trailing_bytes)
{
    std::string bytes;
    for (const RawEntry& entry : entries) {
        put_big_endian(bytes, entry.key, 8);
        put_big_endian(bytes, entry.move, 2);
        put_big_endian(bytes, entry.weight, 2);
        put_big_endian(bytes, entry.learn, 4);
    }
    bytes += trailing_bytes;
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    if (!out)
        throw std::runtime_error("write_book: cannot write " + path);
}

std::vector<RawEntry> read_book(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    if (!in)
        throw std::runtime_error("read_book: cannot open " + path);
    const std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    std::vector<RawEntry> entries;
    for (std::size_t offset = 0; offset + 16 <= bytes.size(); offset += 16)
        entries.push_back({get_big_endian(bytes, offset, 8),
                           static_cast<std::uint16_t>(get_big_endian(bytes, offset + 8, 2)),
                           static_cast<std::uint16_t>(get_big_endian(bytes, offset + 10, 2)),
                           static_cast<std::uint32_t>(get_big_endian(bytes, offset + 12, 4))});
    return entries;
}

std::vector<RawEntry> entries_of(const std::vector<RawEntry>& book, std::uint64_t key)
{
    std::vector<RawEntry> found;
    for (const RawEntry& entry : book)
        if (entry.key == key)
            found.push_back(entry);
    return found;
}

}
