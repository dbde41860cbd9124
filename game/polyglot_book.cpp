#include "game/polyglot_book.h"

#include "game/polyglot_key.h"

#include <filesystem>
#include <stdexcept>
#include <system_error>

PolyglotBook::PolyglotBook(const std::string& filename) : m_filename(filename)
{
    try {
        open();
    } catch (...) {
        m_filename.clear();
        throw;
    }
}

void PolyglotBook::set_filename(const std::string& filename)
{
    m_filename = filename;
}

void PolyglotBook::open()
{
    if (m_file.is_open())
        m_file.close();
    m_file.clear();
    // Every probe seeks, so a read-ahead buffer would only copy bytes never used.
    m_file.rdbuf()->pubsetbuf(nullptr, 0);
    m_file.open(m_filename, std::ios::in | std::ios::binary);
    // A directory opens as a stream too, but has no length to count entries in.
    std::error_code error;
    if (!m_file || !std::filesystem::is_regular_file(m_filename, error)) {
        m_file.close();
        throw std::logic_error("PolyglotBook::open() open " + m_filename + " failed (1)");
    }
    m_file.seekg(0, std::ios::end);
    const std::streamoff length = m_file.tellg();
    m_count = length > 0 ? static_cast<std::uint64_t>(length) / PolyglotEntry::size_in_bytes : 0;
}

void PolyglotBook::close()
{
    if (m_file.is_open())
        m_file.close();
    m_file.clear();
    m_count = 0;
}

PolyglotEntry PolyglotBook::read_entry(std::uint64_t index)
{
    if (!m_file.is_open() || index >= m_count)
        throw std::logic_error("PolyglotBook::read_entry() index " + std::to_string(index) + " out of range");
    std::vector<unsigned char> bytes(PolyglotEntry::size_in_bytes);
    m_file.clear();
    m_file.seekg(static_cast<std::streamoff>(index * PolyglotEntry::size_in_bytes), std::ios::beg);
    m_file.read(reinterpret_cast<char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    if (!m_file)
        throw std::runtime_error("PolyglotBook::read_entry() read of " + m_filename + " failed at entry " +
                                 std::to_string(index));
    return PolyglotEntry(bytes);
}

std::uint64_t PolyglotBook::read_key(std::uint64_t index)
{
    return read_entry(index).key();
}

// Lower bound over the sorted keys: about log2(count) reads of one entry each.
std::uint64_t PolyglotBook::first_index_not_below(std::uint64_t key)
{
    std::uint64_t low = 0;
    std::uint64_t high = m_count;
    while (low < high) {
        const std::uint64_t middle = low + (high - low) / 2;
        if (read_key(middle) < key)
            low = middle + 1;
        else
            high = middle;
    }
    return low;
}

std::vector<PolyglotEntry> PolyglotBook::find_entries(std::uint64_t key)
{
    std::vector<PolyglotEntry> entries;
    if (!m_file.is_open())
        return entries;
    for (std::uint64_t index = first_index_not_below(key); index < m_count; ++index) {
        PolyglotEntry entry = read_entry(index);
        if (entry.key() != key)
            break;
        entries.push_back(entry);
    }
    return entries;
}

std::vector<PolyglotMove> PolyglotBook::find_moves(std::uint64_t key)
{
    std::vector<PolyglotMove> moves;
    for (const PolyglotEntry& entry : find_entries(key))
        moves.push_back(entry.move());
    return moves;
}

std::vector<PolyglotEntry> PolyglotBook::find_entries(const std::string& fen)
{
    return find_entries(PolyglotKey().key_of_fen(fen));
}

std::vector<PolyglotMove> PolyglotBook::find_moves(const std::string& fen)
{
    return find_moves(PolyglotKey().key_of_fen(fen));
}
