#pragma once

#include <random>
#include <string>

#include "game/chess_game.h"

namespace torvane_test {

struct RandomGameShape {
    int max_plies = 120;     // the main line ends earlier at mate or stalemate
    int variations = 0;      // side lines of a few moves, each off a random main-line move
    bool annotations = false; // comments, glyphs and "[%" commands on some moves
    std::string start_fen;   // empty: the standard start position
};

// A game of uniformly drawn legal moves, built through ChessGame::add_move.
ChessGame random_game(std::mt19937& random, const RandomGameShape& shape);

}
