// pgn-replay FILE: reads every game of a PGN file through the game record and
// prints, for each move of each main line, the move as this system writes it
// in SAN, the FEN after it and its Polyglot key in 16 hexadecimal digits.
// A game that cannot be read, or that the file reader skips as damaged, gets
// one line saying so, numbered as the game stands in the file; the next game
// follows.

#include <cstdio>
#include <exception>
#include <iostream>
#include <string>

#include "game/chess_game.h"
#include "game/pgn_file.h"
#include "game/san_move.h"

namespace {

std::string one_line(std::string text)
{
    for (char& c : text)
        if (c == '\n' || c == '\r')
            c = ' ';
    return text;
}

std::string hex_key(uint64_t key)
{
    char text[17];
    std::snprintf(text, sizeof text, "%016llx", static_cast<unsigned long long>(key));
    return text;
}

void replay_main_line(ChessGame& game, std::string& out)
{
    game.goto_start();
    ChessPosition& position = game.position();
    for (std::string fen = game.forward(); !fen.empty(); fen = game.forward()) {
        // The SAN is written in the position before the move: step back,
        // write it and play the move again.
        const Move move = game.last_move();
        position.take_back();
        const std::string san = SanMove(position, move).san();
        position.make_move(move);
        out += san + " " + fen + " " + hex_key(position.hash_key()) + "\n";
    }
}

void report_skipped_games(PgnFile& file)
{
    for (const PgnFile::SkippedGame& skipped : file.take_skipped_games())
        std::cout << "game " << skipped.number << " cannot be read: " << skipped.reason << "\n";
}

}

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::cerr << "usage: pgn-replay FILE\n";
        return 2;
    }
    PgnFile file;
    file.open(argv[1]);
    if (!file.is_open()) {
        std::cerr << "pgn-replay: cannot open " << argv[1] << "\n";
        return 1;
    }
    for (std::string text = file.next_game(); !text.empty(); text = file.next_game()) {
        report_skipped_games(file);
        std::string out;
        try {
            ChessGame game(text);
            replay_main_line(game, out);
        } catch (const std::exception& error) {
            std::cout << "game " << file.game_number() << " cannot be read: " << one_line(error.what()) << "\n";
            continue;
        }
        std::cout << out;
    }
    report_skipped_games(file);
    return 0;
}
