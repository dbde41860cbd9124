#pragma once

#include "engines/timer.h"

#include <cstdint>

// Decides whether a list acts on a move the user asked for by a click. A
// tree view reports cursor changes that the user did not make: the first one
// when the list takes the focus, and one right after a row under the cursor
// is removed. So the guard lets no first call through, nor a call that comes
// 100 ms or less after the last call it let through.
class SelectionGuard {
public:
    // Starts measuring from now.
    SelectionGuard();
    SelectionGuard(const SelectionGuard&) = delete;
    SelectionGuard& operator=(const SelectionGuard&) = delete;

    // Counts the call; true when it may act, and then the next call is
    // measured from now.
    bool admit();

    // The rule itself: whether a call acts, given how many calls came before
    // it and the whole milliseconds since the last call that acted (since
    // the guard was made, before the first).
    static bool admits(std::int64_t calls_before, std::int64_t elapsed_ms);

private:
    Timer m_timer;
    std::int64_t m_calls = 0;
};
