#pragma once

#include <cstdint>
#include <limits>

// The move number after n; stays at the largest number instead of overflowing
// (a start position may carry any full-move number).
inline std::int32_t next_move_number(std::int32_t n)
{
    return n == std::numeric_limits<std::int32_t>::max() ? n : n + 1;
}
