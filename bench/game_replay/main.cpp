// Loads and replays every game of a PGN file through ChessGame (main line and
// variations) and times pgn-extract -s over the same file in the same run.

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <random>
#include <string>
#include <vector>

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

// Enters the child with that id and plays its move, as the record's own
// callers of goto_child do; false for an end entry.
bool enter(ChessGame& game, uint64_t child)
{
    const auto& entry = game.tree().entry(child);
    if (entry.type() == MoveSectionEntryType::end_game)
        return false;
    const SanMove move(game.position(), entry.san());
    if (!game.goto_child(move))
        return false;
    game.position().make_move(move.m_move);
    return true;
}

// Plays the line that starts below the current entry to its end, playing
// and taking back every variation on the way before going on with the line;
// returns the length of the line and adds every move played to moves.
long replay_line(ChessGame& game, long& moves)
{
    long length = 0;
    for (;;) {
        const std::vector<int32_t> children = game.tree().entry(game.current()).children();
        for (std::size_t i = 1; i < children.size(); ++i) {
            if (!enter(game, static_cast<uint64_t>(children[i])))
                continue;
            ++moves;
            for (long back = 1 + replay_line(game, moves); back > 0; --back)
                game.back();
        }
        if (children.empty() || !enter(game, static_cast<uint64_t>(children[0])))
            return length;
        ++moves;
        ++length;
    }
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
    ChessGame game;
    for (std::string text = file.next_game(); !text.empty(); text = file.next_game()) {
        ++games;
        try {
            game.set_pgn(text);
            replay_line(game, moves);
        } catch (const std::exception&) {
            ++failures;
        }
    }
    const double ours = seconds_since(start);

    // The main lines once more through forward, which checks every move
    // against the legal moves of its position.
    const auto checked_start = Clock::now();
    long checked_moves = 0;
    for (std::string text = file.first_game(); !text.empty(); text = file.next_game()) {
        try {
            game.set_pgn(text);
            for (std::string fen = game.forward(); !fen.empty(); fen = game.forward())
                ++checked_moves;
        } catch (const std::exception&) {
        }
    }
    const double checked = seconds_since(checked_start);

    const auto peer_start = Clock::now();
    const std::string command = "/usr/games/pgn-extract -s " + name + " > /dev/null 2>&1";
    const int status = std::system(command.c_str());
    const double theirs = seconds_since(peer_start);

    std::cout << "ChessGame, all lines:        " << games << " games, " << moves << " moves, " << failures
              << " unreadable, " << ours << " s, " << games / ours << " games/s\n";
    std::cout << "ChessGame, checked forward:  " << checked_moves << " main-line moves, " << checked << " s, "
              << games / checked << " games/s\n";
    std::cout << "pgn-extract -s:              " << theirs << " s, " << games / theirs << " games/s"
              << (status == 0 ? "" : " (pgn-extract failed)") << "\n";
    if (argc <= 1)
        std::filesystem::remove(name);
    return 0;
}
