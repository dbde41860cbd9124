#include "core/repetition_keys.h"

#include <algorithm>

void key_list_init(RepetitionKeys& list) { list.clear(); }

void push_key_raw(RepetitionKeys& list, std::uint64_t key) { list.push_back(key); }

void push_key(RepetitionKeys& list, const Move& move, std::uint64_t key)
{
    if (move.moving_piece().is_pawn() || move.captured_piece_code() != 0)
        list.push_back(0);
    list.push_back(key);
}

void pop_key(RepetitionKeys& list)
{
    if (!list.empty())
        list.pop_back();
    if (!list.empty() && list.back() == 0)
        list.pop_back();
}

bool repetition_count_reached(const RepetitionKeys& list, int n)
{
    if (list.size() < 2)
        return false;
    const std::uint64_t last = list.back();
    int count = 1;
    for (auto entry = list.rbegin() + 1; entry != list.rend(); ++entry) {
        if (*entry == 0)
            return false;
        if (*entry == last && ++count == n)
            return true;
    }
    return false;
}

bool key_lists_equal(const RepetitionKeys& a, const RepetitionKeys& b) { return a == b; }

bool key_lists_differ(const RepetitionKeys& a, const RepetitionKeys& b) { return a != b; }

std::string threefold_text(const RepetitionKeys& list)
{
    if (list.size() < 3)
        return "*";
    const std::uint64_t last = list[list.size() - 1];
    const std::uint64_t before_last = list[list.size() - 2];
    // Barriers are passed over here, not treated as ends.
    auto occurrences = [&list](std::uint64_t key) { return key == 0 ? 0 : std::count(list.begin(), list.end(), key); };
    return occurrences(last) >= 3 || occurrences(before_last) >= 3 ? "1/2-1/2 {Draw by threefold repetition}" : "*";
}
