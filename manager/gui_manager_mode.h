#pragma once

#include <cstdint>

// What the manager is doing: whose moves it expects and how it referees them.
// Scoped, because a tournament's kinds use some of the same words.
enum class GuiManagerMode : std::int32_t {
    analysis = 0,
    human_computer = 1,
    human_human = 2,
    match = 3,
    learnopenings = 4,
};
