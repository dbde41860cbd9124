#pragma once

#include <cstddef>
#include <string>

#include "game/game_tree.h"
#include "game/move_section.h"
#include "game/pgn_tokenizer.h"

namespace pgn_test {

// Reads the text of one game as the file reader does: tokens, the flat
// section from the first token on, then the tree built from the section.
inline void read_movetext(const std::string& text, MoveSection& section, GameTree& tree)
{
    const auto tokens = pgn_tokenize(text);
    std::size_t index = 0;
    section.load(tokens, index, -1);
    tree.load(section);
}

// The tree of one game's text, white to move at move 1.
inline GameTree game_tree_of(const std::string& text)
{
    MoveSection section;
    GameTree tree;
    read_movetext(text, section, tree);
    return tree;
}

}
