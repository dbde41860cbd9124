#pragma once

#include <cstdint>
#include <random>
#include <string>

#include "tests/support/start_position.h"

namespace torvane_test {

// The n-th session token (from 1) a fresh manager hands out: the n-th output
// of the standard 64-bit Mersenne Twister seeded with 12345.
inline std::uint64_t session_token(int n)
{
    std::mt19937_64 generator(12345);
    std::uint64_t value = 0;
    for (int i = 0; i < n; ++i) {
        value = generator();
    }
    return value;
}

// An engine line as a driver would queue it for the manager.
inline std::string engine_line(int slot, std::uint64_t token, const std::string& text)
{
    return std::to_string(slot) + " " + std::to_string(token) + " " + text;
}


}
