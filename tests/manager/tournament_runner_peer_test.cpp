// A short match of stockfish (UCI) against fairymax (xboard) through the
// tournament runner, its PGN file read back by the project's reader and by
// pgn-extract.
#include "game/chess_game.h"
#include "tests/manager/console_fixtures.h"
#include "tests/manager/runner_fixture.h"
#include "tests/support/peer_programs.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <string>
#include <vector>

namespace torvane_test {
namespace {

using Lines = std::vector<std::string>;

// Every comment command ("[%eval 0.35]", ...) of a PGN text, in order.
Lines comment_commands(const std::string& text)
{
    Lines commands;
    for (std::size_t start = text.find("[%"); start != std::string::npos; start = text.find("[%", start + 1)) {
        commands.push_back(text.substr(start, text.find(']', start) - start + 1));
    }
    return commands;
}

// The value of "[%NAME VALUE]" in a comment; "" when it has none.
std::string command_value(const std::string& comment, const std::string& name)
{
    const std::size_t start = comment.find("[%" + name + " ");
    if (start == std::string::npos) {
        return "";
    }
    const std::size_t value = start + name.size() + 3;
    return comment.substr(value, comment.find(']', value) - value);
}

bool is_number(const std::string& text, double low, double high)
{
    std::istringstream in(text);
    double value = 0;
    return in >> value && in.eof() && value >= low && value <= high;
}

TEST(TournamentRunnerPeer, MatchOfStockfishAndFairymaxAtAFixedMoveTime)
{
    RunnerDir dir;
    write_engines_cfg(dir.path(), {{"Stockfish", peer_program("stockfish"), "uci"},
                                   {"Fairymax", peer_program("fairymax"), "xboard_v2"}});
    TournamentFile tournament;
    tournament.event = "Peers";
    tournament.level = "fixed_movetime 50";
    tournament.participants = {"Stockfish", "Fairymax"};
    tournament.games = {{"1", 0, 1, 2}, {"2", 0, 2, 1}};
    write_tournament(dir.path(), tournament);

    const RunnerDir::Run run = dir.run("Peers", 120);
    ASSERT_EQ(run.status, 0) << run.errors;
    const Lines played = trn_games(dir.read("tournaments/Peers.trn"));
    EXPECT_EQ(run.lines, played);
    ASSERT_EQ(played.size(), 2u);

    const std::string pgn_path = dir.path() + "/Peers.pgn";
    const Lines games = pgn_games(pgn_path);
    ASSERT_EQ(games.size(), 2u);
    for (std::size_t i = 0; i < games.size(); ++i) {
        ChessGame game(games[i]);
        EXPECT_EQ(std::to_string(i + 1) + "\t" + game.get_tag("White") + "\t" + game.get_tag("Black") + "\t" +
                      game.get_tag("Result"),
                  played[i]);
        game.goto_start();
        int moves = 0;
        while (!game.forward().empty()) {
            ++moves;
            const std::string comment = game.get_comment();
            const std::string eval = command_value(comment, "eval");
            // Pawns, or "#" and moves to mate; xboard engines give mates as huge scores.
            EXPECT_TRUE(is_number(eval.empty() || eval[0] != '#' ? eval : eval.substr(1), -1e6, 1e6)) << comment;
            EXPECT_TRUE(is_number(command_value(comment, "depth"), 1, 255)) << comment;
            EXPECT_TRUE(is_number(command_value(comment, "acn"), 1, 1e12)) << comment;
        }
        EXPECT_GT(moves, 4);
    }

    // pgn-extract reads both games and keeps every comment command whole.
    const std::string ours = dir.read("Peers.pgn");
    const std::string extracted = run_command(peer_program("pgn-extract") + " -s -w100000 '" + pgn_path + "' 2>/dev/null");
    EXPECT_EQ(comment_commands(extracted), comment_commands(ours));
    std::size_t count = 0;
    for (std::size_t at = extracted.find("[Event \"Peers\"]"); at != std::string::npos;
         at = extracted.find("[Event \"Peers\"]", at + 1)) {
        ++count;
    }
    EXPECT_EQ(count, 2u);
}

// Two Stockfish engines in their Chess960 mode from starts with the kings on
// the e-file and rooks in the corners: castling reaches each as the king
// taking its rook, so no game is lost by a move of a position it was not in.
TEST(TournamentRunnerPeer, Chess960MatchOfStockfishEnginesThatCastle)
{
    RunnerDir dir;
    const std::vector<std::string> chess960 = {"UCI_Chess960 value true"};
    write_engines_cfg(dir.path(), {{"Stockfish A", peer_program("stockfish"), "uci", chess960},
                                   {"Stockfish B", peer_program("stockfish"), "uci", chess960}});
    std::ofstream(dir.path() + "/starts.epd") <<
               "rnbbkqnr/pppppppp/8/8/8/8/PPPPPPPP/RNBBKQNR w HAha -\n"
               "rbbnkqnr/pppppppp/8/8/8/8/PPPPPPPP/RBBNKQNR w HAha -\n";
    TournamentFile tournament{.event = "Castles", .level = "fixed_depth 3", .suite = dir.path() + "/starts.epd",
                              .participants = {"Stockfish A", "Stockfish B"}};
    tournament.games = {{"1", 1, 1, 2}, {"2", 1, 2, 1}, {"3", 2, 1, 2}, {"4", 2, 2, 1}};
    write_tournament(dir.path(), tournament);

    const RunnerDir::Run run = dir.run("Castles", 300);
    ASSERT_EQ(run.status, 0) << run.errors;
    const Lines games = pgn_games(dir.path() + "/Castles.pgn");
    ASSERT_EQ(games.size(), 4u);
    int castled = 0;
    for (const std::string& game : games) {
        EXPECT_EQ(game.find("illegal"), std::string::npos) << game;
        castled += game.find(".O-O") != std::string::npos;
    }
    EXPECT_GE(castled, 2);
}

}
}
