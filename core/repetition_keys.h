#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "core/move.h"

// The position keys a position has passed through since it was set up. An
// entry 0 is a barrier written before the key of a position reached by a pawn
// move or a capture: no earlier position can occur again, so repetition
// searches stop there.
using RepetitionKeys = std::vector<std::uint64_t>;

// Empties the list.
void key_list_init(RepetitionKeys& list);
// Appends a key without a barrier (after a set-up).
void push_key_raw(RepetitionKeys& list, std::uint64_t key);
// Appends the key of the position after a move, behind a barrier when the move is irreversible.
void push_key(RepetitionKeys& list, const Move& move, std::uint64_t key);
// Removes the last key and the barrier before it, if any (take-back).
void pop_key(RepetitionKeys& list);
// True when the last key occurs n times in all since the last barrier (n = 2: a repetition, 3: threefold).
bool repetition_count_reached(const RepetitionKeys& list, int n);
bool key_lists_equal(const RepetitionKeys& a, const RepetitionKeys& b);
bool key_lists_differ(const RepetitionKeys& a, const RepetitionKeys& b);
// "1/2-1/2 {Draw by threefold repetition}" when the last or the second-last key
// occurs three times among all non-barrier entries, else "*".
std::string threefold_text(const RepetitionKeys& list);
