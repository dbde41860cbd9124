#pragma once

#include <cstdint>
#include <deque>
#include <string>
#include <utility>
#include <vector>

#include "core/chess_position.h"
#include "core/move_generator.h"
#include "core/move_list.h"

// Counts the leaves of the legal move tree of a position to a fixed depth with
// the rules core's generator and make/take-back. The last ply is counted from
// the generated list without making its moves.
class PerftCounter {
public:
    // Leaves below the position at the depth (1 for depth 0).
    std::uint64_t count(ChessPosition& position, int depth);
    // Per root move, in generation order: its coordinate text and the leaves below it.
    std::vector<std::pair<std::string, std::uint64_t>> divide(ChessPosition& position, int depth);

private:
    std::uint64_t count_below(ChessPosition& position, int depth, std::size_t ply);
    MoveList& list_for(std::size_t ply);

    MoveGenerator m_generator;
    // A deque, so that adding a deeper ply never moves the lists that shallower
    // plies are still walking.
    std::deque<MoveList> m_lists;
};
