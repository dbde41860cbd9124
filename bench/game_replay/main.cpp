// Loads and replays every game of a PGN file through ChessGame (main line and
// variations) and times pgn-extract -s over the same file in the same run.

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <random>
#include <string>

#include "game/chess_game.h"
#include "game/pgn_file.h"
#include "tests/game/random_games.h"

namespace {

using Clock = std::chrono::steady_clock;

void write_random_games(const std::string& name, int count)
{
    std::mt19937 random(20000);
    std::ofstream out(name);
    for (int round = 0; round < count; ++round) {
        torvane_test::RandomGameShape shape;
        shape.max_plies = std::uniform_int_distribution<int>(20, 160)(random);
        shape.variations = std::uniform_int_distribution<int>(0, 3)(random);
        shape.annotations = true;
        ChessGame game = torvane_test::random_game(random, shape);
        if (game.get_result() == "*" && round % 3 == 0) {
            std::string result = "1-0";
            game.set_result(result);
        }
        out << game.pgn();
    }
}

// Plays every move below the current entry, variations included, and comes
// back to it; returns the number of moves played.
long replay_below(ChessGame& game)
{
    long moves = 0;
    for (const SanMove& next : game.next_moves()) {
        if (game.goto_child_and_play(next).empty())
            continue;
        moves += 1 + replay_below(game);
        game.back();
    }
    return moves;
}

double seconds_since(Clock::time_point start)
{
    return std::chrono::duration<double>(Clock::now() - start).count();
}

}

int main(int argc, char** argv)
{
    std::string name;
    if (argc > 1) {
        name = argv[1];
    } else {
        name = (std::filesystem::temp_directory_path() / "torvane_game_replay.pgn").string();
        std::cout << "writing 20000 random games to " << name << "\n";
        write_random_games(name, 20000);
    }

    const auto start = Clock::now();
    PgnFile file;
    file.open(name);
    long games = 0;
    long moves = 0;
    long failures = 0;
    for (std::string text = file.next_game(); !text.empty(); text = file.next_game()) {
        ++games;
        try {
            ChessGame game(text);
            moves += replay_below(game);
        } catch (const std::exception&) {
            ++failures;
        }
    }
    const double ours = seconds_since(start);

    const auto peer_start = Clock::now();
    const std::string command = "/usr/games/pgn-extract -s " + name + " > /dev/null 2>&1";
    const int status = std::system(command.c_str());
    const double theirs = seconds_since(peer_start);

    std::cout << "ChessGame:   " << games << " games, " << moves << " moves, " << failures << " unreadable, "
              << ours << " s, " << games / ours << " games/s\n";
    std::cout << "pgn-extract: " << theirs << " s, " << games / theirs << " games/s"
              << (status == 0 ? "" : " (pgn-extract failed)") << "\n";
    return 0;
}
