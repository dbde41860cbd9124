#pragma once

#include <cstdint>
#include <deque>

#include "core/chess_position.h"
#include "core/move_generator.h"
#include "core/move_list.h"

// Leaf count of the legal move tree to a depth, for checking the generator and
// make/take-back against published counts. One list per ply is reused.
class PerftWalk {
public:
    std::uint64_t count(ChessPosition& position, int depth, std::size_t ply = 0)
    {
        while (m_lists.size() <= ply)
            m_lists.emplace_back();
        MoveList& list = m_lists[ply];
        list.clear();
        m_generator.generate(position, list);
        if (depth <= 1)
            return depth == 1 ? list.size() : 1;
        std::uint64_t nodes = 0;
        for (const Move& move : list) {
            position.make_move(move);
            nodes += count(position, depth - 1, ply + 1);
            position.take_back();
        }
        return nodes;
    }

private:
    MoveGenerator m_generator;
    std::deque<MoveList> m_lists;
};
