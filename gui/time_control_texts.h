#pragma once

#include "engines/level.h"

#include <cstdint>
#include <string>

// What the time-control panel shows, without the widgets: the selected kind
// and the texts of its eight entries. Each kind has its own entries (the
// sessions and sudden-death forms each their own base and increment), so
// showing one kind leaves what was typed for the others.
struct TimeControlTexts {
    level_t kind = sessions;
    std::string depth;
    std::string nodes;
    std::string movetime;
    std::string moves;
    std::string base;
    std::string increment;
    std::string sd_base;
    std::string sd_increment;

    // Selects the level's kind and writes its numbers into that kind's
    // entries; the entries of the other kinds keep their texts.
    void show(const Level& level);
    // The text form of the selected kind built from its entries, for
    // Level::set. Each entry gives exactly one word: blanks around it are
    // dropped, blanks inside it become commas (which Level reads as
    // separators inside a word), an empty entry gives "0", and so does a
    // count (depth, nodes, move time, moves) that does not begin with a
    // number, so that no entry can shift or spoil the words of the others.
    // An increment's decimal comma becomes a point ("2,5" gives "2.5").
    std::string level_text() const;
    // Why the selected kind's entries make no time control, in words for the
    // user; empty when they make one. Only an increment is refused: one that
    // is not digits with at most one decimal sign, which Level would read
    // only in part.
    std::string refusal() const;
};

// A session time as the panel shows it: whole minutes ("10"), or minutes,
// ":" and two digits of seconds ("1:05" for 65 seconds, never "1:5", which
// reads like 1:50).
std::string base_text(std::uint32_t milliseconds);
// An increment in seconds, written exactly: "0.1", "2", "1.25", "0".
std::string increment_text(std::uint32_t milliseconds);
