#pragma once

#include <cstdint>

// What the clock rules of engine games read of one engine: its clock, its
// colour and whether its process ended by itself.
class EngineClock {
public:
    virtual ~EngineClock() = default;

    // Milliseconds left, negative once the engine has overstepped.
    virtual std::int64_t time_left() const = 0;
    virtual bool is_white() const = 0;
    virtual bool crashed() const = 0;
};
