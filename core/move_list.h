#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <mutex>
#include <vector>

#include "core/move.h"

// A fixed list of moves that either owns 256 entries or views a caller's buffer.
// The move generator marks a filled list as generated; next_best hands out the
// remaining moves best first and is safe to call from several threads.
class MoveList {
public:
    static constexpr std::size_t capacity = 256;

    // An owning list of 256 null moves.
    MoveList();
    // A view over the caller's buffer, which must outlive the list.
    explicit MoveList(Move* buffer);
    // The copy owns fresh storage, holds the source's moves, is not marked
    // generated and has its cursor at 0.
    MoveList(const MoveList& other);
    // Copies the source's moves into this list's storage; the generated mark and
    // the cursor stay.
    MoveList& operator=(const MoveList& other);
    MoveList(MoveList&& other) noexcept;
    MoveList& operator=(MoveList&& other) noexcept;
    ~MoveList() = default;

    // Entry access without a range check; callers stay below size().
    Move& at(int index) { return m_entries[index]; }
    const Move& at(int index) const { return m_entries[index]; }
    Move& operator[](int index) { return m_entries[index]; }
    const Move& operator[](int index) const { return m_entries[index]; }

    std::uint64_t& size() { return m_count; }
    std::uint64_t size() const { return m_count; }
    void set_size(int count) { m_count = static_cast<std::uint64_t>(count); }
    // Empties the list and drops the generated mark; the cursor stays.
    void clear() { m_count = 0; m_generated = false; }
    void set_generated(bool generated) { m_generated = generated; }
    bool generated() const { return m_generated; }

    Move* begin() { return m_entries; }
    Move* end() { return m_entries + m_count; }
    const Move* begin() const { return m_entries; }
    const Move* end() const { return m_entries + m_count; }
    std::vector<Move> to_vector() const { return {begin(), end()}; }

    // Removes the first entry equal to move; later entries move down.
    void remove(const Move& move);
    // Stores move at index 0, shifting the entries before its first equal entry up
    // over it; nothing happens when no entry is equal.
    void move_to_front(const Move& move);

    bool operator==(const MoveList& other) const;

    // Starts handing out moves from the best one again.
    void reset_cursor();
    // The best move not yet handed out, or the null move when none is left.
    Move next_best();

private:
    std::uint64_t m_count = 0;
    std::unique_ptr<Move[]> m_storage;
    Move* m_entries = nullptr;
    bool m_generated = false;
    std::uint64_t m_cursor = 0;
    std::mutex m_cursor_mutex;
};
