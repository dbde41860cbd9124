#pragma once

#include "engines/option.h"

#include <cstdint>
#include <string>

// The range and start value of a spin button that edits a "spin" option,
// read from the option's texts without ever failing. A text is read as a
// decimal integer: leading blanks and a sign allowed, reading stops at the
// first character that is not a digit. Engines send anything, so:
// - a minimum or maximum that holds no number leaves that side open (the
//   widest range a spin button holds exactly, plus or minus 2^53 - 1);
// - numbers beyond that range are cut to it; a maximum below the minimum
//   becomes the minimum;
// - a value that is empty or holds no number falls back to the default, then
//   to the minimum; every value is clamped into the range.
struct SpinRange {
    static constexpr std::int64_t widest = (std::int64_t{1} << 53) - 1;

    std::int64_t min = 0;
    std::int64_t max = 0;
    std::int64_t value = 0;

    // The range and value for the option's minimum, maximum, value and default.
    static SpinRange of(const Option& option);
    // The value as the option stores it: decimal, a minus sign for negatives.
    std::string value_text() const { return std::to_string(value); }
};
