#pragma once

#include <cstdint>
#include <string>
#include <vector>

// Test helpers that write and read Polyglot books byte by byte, without the
// project's book code, so that the book reader is checked against them.
namespace polyglot_test {

struct RawEntry {
    std::uint64_t key = 0;
    std::uint16_t move = 0;
    std::uint16_t weight = 0;
    std::uint32_t learn = 0;
};

// Writes the entries in the given order, big-endian, plus any trailing bytes.
void write_book(const std::string& path, const std::vector<RawEntry>& entries,
                const std::string& trailing_bytes = "");

// Reads every whole entry of a book file in file order.
std::vector<RawEntry> read_book(const std::string& path);

// The entries of one key, found by a linear scan.
std::vector<RawEntry> entries_of(const std::vector<RawEntry>& book, std::uint64_t key);

}
