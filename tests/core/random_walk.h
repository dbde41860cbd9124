#pragma once

#include <random>
#include <string>
#include <vector>

#include "core/chess_position.h"
#include "core/move_generator.h"
#include "core/move_list.h"

// Random games played with the project's own generator, for comparing the
// positions they reach with other programs.
class RandomWalk {
public:
    explicit RandomWalk(unsigned seed) : m_random(seed) {}

    // The moves of one random game from the position, at most `plies` long; the
    // position is left at the end of the game.
    std::vector<Move> play(ChessPosition& position, int plies)
    {
        std::vector<Move> moves;
        for (int ply = 0; ply < plies; ++ply) {
            MoveList list;
            m_generator.generate(position, list);
            if (list.size() == 0)
                break;
            const Move move = list.at(static_cast<int>(m_random() % list.size()));
            position.make_move(move);
            moves.push_back(move);
        }
        return moves;
    }

    // FENs of positions met along random games from the start FEN: after every `step` plies.
    std::vector<std::string> sample(const std::string& start_fen, int games, int plies, int step)
    {
        std::vector<std::string> fens;
        for (int game = 0; game < games; ++game) {
            ChessPosition position;
            position.set_fen(start_fen);
            for (int ply = 0; ply < plies; ply += step) {
                if (play(position, step).empty())
                    break;
                fens.push_back(position.fen());
            }
        }
        return fens;
    }

private:
    std::mt19937 m_random;
    MoveGenerator m_generator;
};
