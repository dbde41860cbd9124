#pragma once

#include "engines/level.h"

#include <chrono>
#include <cstdint>
#include <optional>

// What the clock rules of engine games read of one engine: its clock and time
// control, its colour, whether its process ended by itself, and whether it
// still shows signs of searching.
class EngineClock {
public:
    virtual ~EngineClock() = default;

    // Milliseconds left, negative once the engine has overstepped.
    virtual std::int64_t time_left() const = 0;
    virtual bool is_white() const = 0;
    virtual bool crashed() const = 0;
    virtual Level level() const = 0;
    // Milliseconds spent on the move the engine is thinking on; nothing while
    // it thinks on none.
    virtual std::optional<std::int64_t> thinking_time() const = 0;
    // Whether the engine has given up answering the search it owes
    // (BaseEngine::search_unanswered); may send it a probe.
    virtual bool search_unanswered(std::chrono::milliseconds grace) = 0;
};
