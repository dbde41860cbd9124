#pragma once

#include "game/game_tree.h"

#include <cstdint>
#include <string>

namespace torvane_test {

// Adds a move (with an optional comment and glyph) below parent; returns its id.
inline std::uint64_t add(GameTree& tree, std::uint64_t parent, const std::string& san,
                         const std::string& comment = "", const std::string& nag = "")
{
    MoveSectionEntry entry;
    entry.set_san(san);
    entry.set_comment(comment);
    entry.set_nag(nag);
    return tree.add_child(parent, entry);
}

}
