#include "core/move_list.h"

#include <algorithm>
#include <utility>

MoveList::MoveList() : m_storage(std::make_unique<Move[]>(capacity)), m_entries(m_storage.get()) {}

MoveList::MoveList(Move* buffer) : m_entries(buffer) {}

MoveList::MoveList(const MoveList& other) : MoveList()
{
    m_count = other.m_count;
    std::copy(other.begin(), other.end(), m_entries);
}

MoveList& MoveList::operator=(const MoveList& other)
{
    if (this == &other) {
        return *this;
    }
    if (m_entries == nullptr) {
        // A list whose storage was moved away gets its own again.
        m_storage = std::make_unique<Move[]>(capacity);
        m_entries = m_storage.get();
    }
    m_count = other.m_count;
    std::copy(other.begin(), other.end(), m_entries);
    return *this;
}

MoveList::MoveList(MoveList&& other) noexcept
    : m_count(std::exchange(other.m_count, 0)),
      m_storage(std::move(other.m_storage)),
      m_entries(std::exchange(other.m_entries, nullptr)),
      m_generated(other.m_generated),
      m_cursor(other.m_cursor)
{
}

MoveList& MoveList::operator=(MoveList&& other) noexcept
{
    if (this == &other) {
        return *this;
    }
    m_count = std::exchange(other.m_count, 0);
    m_storage = std::move(other.m_storage);
    m_entries = std::exchange(other.m_entries, nullptr);
    m_generated = other.m_generated;
    m_cursor = other.m_cursor;
    return *this;
}

void MoveList::remove(const Move& move)
{
    Move* found = std::find(begin(), end(), move);
    if (found == end()) {
        return;
    }
    std::copy(found + 1, end(), found);
    --m_count;
}

void MoveList::move_to_front(const Move& move)
{
    Move* found = std::find(begin(), end(), move);
    if (found == end()) {
        return;
    }
    std::copy_backward(begin(), found, found + 1);
    m_entries[0] = move;
}

bool MoveList::operator==(const MoveList& other) const
{
    return m_count == other.m_count && std::equal(begin(), end(), other.begin());
}

void MoveList::reset_cursor()
{
    std::lock_guard lock(m_cursor_mutex);
    m_cursor = 0;
}

Move MoveList::next_best()
{
    std::lock_guard lock(m_cursor_mutex);
    if (m_cursor >= m_count) {
        return Move();
    }
    // Only a strictly better entry displaces the one at the cursor, so among
    // equally good moves the earliest wins.
    for (std::uint64_t j = m_cursor + 1; j < m_count; ++j) {
        if (m_entries[m_cursor] < m_entries[j]) {
            std::swap(m_entries[m_cursor], m_entries[j]);
        }
    }
    return m_entries[m_cursor++];
}
