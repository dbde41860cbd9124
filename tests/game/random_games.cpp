#include "tests/game/random_games.h"

#include <vector>

#include "core/move_generator.h"

namespace torvane_test {

namespace {

// Plays one drawn legal move; false when the side to move has none.
bool play_random_move(ChessGame& game, std::mt19937& random)
{
    MoveGenerator generator;
    MoveList moves;
    generator.generate(game.position(), moves);
    if (moves.size() == 0)
        return false;
    std::uniform_int_distribution<std::size_t> pick(0, moves.size() - 1);
    game.add_move(moves[static_cast<int>(pick(random))]);
    return true;
}

void annotate(ChessGame& game, std::mt19937& random)
{
    static const char* const comments[] = {
        "a quiet move", "[%eval 0.25] [%depth 20]", "better was the other knight [%emt 0:00:03]",
        "sharp, see \"Informant\"", "", "text with [brackets] inside",
    };
    std::uniform_int_distribution<int> chance(0, 9);
    if (chance(random) == 0) {
        std::uniform_int_distribution<std::size_t> which(0, std::size(comments) - 1);
        game.set_comment(comments[which(random)]);
    }
    if (chance(random) == 0) {
        std::string nag = "$";
        nag += std::to_string(chance(random) + 1);
        game.tree().entry(game.current()).set_nag(nag);
    }
}

}

ChessGame random_game(std::mt19937& random, const RandomGameShape& shape)
{
    ChessGame game;
    if (!shape.start_fen.empty()) {
        game.set_tag("SetUp", "1");
        game.set_tag("FEN", shape.start_fen);
    }
    int plies = 0;
    bool finished = false;
    while (plies < shape.max_plies) {
        if (!play_random_move(game, random)) {
            finished = true;
            break;
        }
        ++plies;
        if (shape.annotations)
            annotate(game, random);
    }
    if (finished) {
        const bool mate = game.position().in_check();
        const bool white_mated = game.position().board().side_to_move() == 1;
        std::string result = !mate ? "1/2-1/2 {stalemate}" : white_mated ? "0-1 {mate}" : "1-0 {mate}";
        game.set_result(result);
    }
    for (int variation = 0; variation < shape.variations && plies > 1; ++variation) {
        std::uniform_int_distribution<int> branch(1, plies - 1);
        const int branch_ply = branch(random);
        game.goto_start();
        for (int ply = 0; ply < branch_ply; ++ply)
            game.forward();
        std::uniform_int_distribution<int> length(1, 6);
        for (int ply = length(random); ply > 0 && play_random_move(game, random); --ply)
            if (shape.annotations)
                annotate(game, random);
    }
    game.goto_start();
    game.goto_end();
    return game;
}

}
