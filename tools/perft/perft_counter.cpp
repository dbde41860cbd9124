#include "tools/perft/perft_counter.h"

MoveList& PerftCounter::list_for(std::size_t ply)
{
    while (m_lists.size() <= ply)
        m_lists.emplace_back();
    MoveList& list = m_lists[ply];
    list.clear();
    return list;
}

std::uint64_t PerftCounter::count(ChessPosition& position, int depth)
{
    return depth <= 0 ? 1 : count_below(position, depth, 0);
}

std::uint64_t PerftCounter::count_below(ChessPosition& position, int depth, std::size_t ply)
{
    MoveList& list = list_for(ply);
    m_generator.generate(position, list);
    if (depth == 1)
        return list.size();
    std::uint64_t nodes = 0;
    for (const Move& move : list) {
        position.make_move(move);
        nodes += count_below(position, depth - 1, ply + 1);
        position.take_back();
    }
    return nodes;
}

std::vector<std::pair<std::string, std::uint64_t>> PerftCounter::divide(ChessPosition& position, int depth)
{
    std::vector<std::pair<std::string, std::uint64_t>> lines;
    if (depth <= 0)
        return lines;
    MoveList& roots = list_for(0);
    m_generator.generate(position, roots);
    for (const Move& move : roots) {
        position.make_move(move);
        lines.emplace_back(move.to_string(false), depth == 1 ? 1 : count_below(position, depth - 1, 1));
        position.take_back();
    }
    return lines;
}
