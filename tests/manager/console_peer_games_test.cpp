// Games with Debian's engines through the console: a human against
// stockfish, analysis, a round robin of stockfish, fairymax and sjeng, a
// tournament killed and resumed, and opening practice against a book made
// by polyglot.
#include "tests/manager/console_fixtures.h"
#include "tests/manager/session_tokens.h"
#include "tests/support/peer_programs.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <map>
#include <sstream>
#include <set>

namespace torvane_test {
namespace {

using namespace std::chrono_literals;

TEST(ConsolePeerGames, HumanAgainstStockfishForTwentyPliesWithAnIllegalMoveRefused)
{
    ConsoleSession console;
    console.send("0 load 1 filename " + peer_program("stockfish"));
    // A fixed depth keeps stockfish's replies the same on a busy machine.
    console.send("0 level fixed_depth 3");
    console.send("0 human_computer");
    console.lines_until([](const std::string& line) { return starts_with(line, "wtime "); });
    ChessPosition position;
    position.set_start_position();
    for (int turn = 0; turn < 10; ++turn) {
        if (turn == 3) {
            console.send("0 usermove e1e3");
            EXPECT_EQ(console.next_line(10s), "telluser illegal move refused: e1e3");
        }
        const std::string move = quiet_user_move(position);
        ASSERT_TRUE(play_legal(position, move));
        console.send("0 usermove " + move);
        const Lines lines = console.lines_until("shout", 20s);
        const auto reply = std::find_if(lines.begin(), lines.end(), [](const std::string& line) { return starts_with(line, "move "); });
        ASSERT_NE(reply, lines.end());
        EXPECT_TRUE(play_legal(position, reply->substr(5))) << *reply;
        EXPECT_TRUE(starts_with(*(reply + 1), "btime ")) << *(reply + 1);
        EXPECT_EQ(lines.front(), "blackname Stockfish 15.1");
    }
    EXPECT_EQ(position.move_history().size(), 20u);
}

// Stockfish in its Chess960 mode reads castling only as the king taking its
// own rook; any other form stops its reading of the moves, and it answers in
// the position before them. Each row: a position with the user to move, then
// per turn the user's move ("" for any quiet one) and, where the engine is
// known to castle in reply at depth 3, that reply as the window gets it.
TEST(ConsolePeerGames, CastlingTowardACornerRookReachesStockfishInChess960Mode)
{
    struct Turn {
        std::string user;
        std::string engine;
    };
    const std::pair<std::string, std::vector<Turn>> rows[] = {
        {"3rk2r/pppppppp/8/8/8/8/PPPPPPPP/3RK2R w DHdh - 0 1", {{"e1g1", ""}, {"", ""}}},
        {"r3k2r/pppppppp/8/8/8/8/PPPPPPPP/R3K2R b KQkq - 0 1", {{"e8c8", ""}, {"", ""}}},
        {"r1bbkqnr/pppp1ppp/2n5/1Q2p3/4P3/5N2/PPPP1PPP/RNBBK2R b HAha - 3 3", {{"g8f6", "e1g1"}, {"", ""}}},
        {"4k2r/pp2p1p1/2pr1p2/3p3p/1P5P/2P2P2/P2PP1P1/R3K1R1 w h - 1 7", {{"a2a4", "e8g8"}, {"", ""}}},
        {"r3kq1r/pp1bn3/2pbn3/3ppppp/4P3/1PP2PPN/PBBPQN1P/R3K2R w HAha - 0 11",
         {{"h1f1", "e8c8"}, {"e1c1", ""}, {"", ""}}},
    };
    for (const auto& [fen, turns] : rows) {
        ConsoleSession console;
        console.send("0 load 1 filename " + peer_program("stockfish"));
        console.send("0 setoption name UCI_Chess960 value true");
        console.send("0 level fixed_depth 3");
        console.send("0 human_computer");
        console.send("0 setboard " + fen);
        ChessPosition position;
        position.set_fen(fen);
        for (const Turn& turn : turns) {
            const std::string move = turn.user.empty() ? quiet_user_move(position) : turn.user;
            ASSERT_TRUE(play_legal(position, move)) << fen << " " << move;
            console.send("0 usermove " + move);
            const Lines lines = console.lines_until(
                [](const std::string& line) { return line == "shout" || is_result_line(line); }, 20s);
            ASSERT_EQ(lines.back(), "shout") << fen;
            const auto reply = std::find_if(lines.begin(), lines.end(), [](const std::string& line) { return starts_with(line, "move "); });
            ASSERT_NE(reply, lines.end()) << fen;
            EXPECT_TRUE(play_legal(position, reply->substr(5))) << *reply << " in " << position.fen();
            if (!turn.engine.empty()) {
                EXPECT_EQ(*reply, "move " + turn.engine) << fen;
            }
        }
    }
}

TEST(ConsolePeerGames, StockfishAnalysesForTheSideToMove)
{
    ConsoleSession console;
    console.send("0 load 1 filename " + peer_program("stockfish"));
    for (const auto& [fen, prefix] : std::map<std::string, std::string>{
             {"r1bqkbnr/pppp1ppp/2n5/4p3/4P3/5N2/PPPP1PPP/RNBQKB1R w KQkq - 2 3", "white_info  depth "},
             {"rnbqkbnr/pppp1ppp/8/4p3/4P3/5N2/PPPP1PPP/RNBQKB1R b KQkq - 1 2", "black_info  depth "}}) {
        console.send("0 setboard " + fen);
        console.send("0 analyzeposition");
        const Lines lines = console.lines_until(
            [&prefix](const std::string& line) { return starts_with(line, prefix) && line.find(" pv ") != std::string::npos; }, 20s);
        EXPECT_TRUE(std::none_of(lines.begin(), lines.end(), [](const std::string& line) { return starts_with(line, "move "); }));
        console.send("0 human_human");
        console.lines_for(0.3s);
    }
}

// Replays a tournament run's lines with the rules core: every opening and
// move must be legal, and every result line is paired with its game's round.
struct ReplayedRun {
    std::vector<std::pair<std::string, std::string>> results;  // round text, result line
    int moves = 0;
};

ReplayedRun replay_run(const Lines& lines)
{
    ReplayedRun run;
    ChessPosition position;
    std::string round;
    for (const std::string& line : lines) {
        if (starts_with(line, "round ")) {
            round = line.substr(6);
            position.set_start_position();
        } else if (starts_with(line, "setboard ")) {
            position.set_fen(line.substr(9) + " 0 1");
        } else if (starts_with(line, "move ")) {
            EXPECT_TRUE(play_legal(position, line.substr(5))) << line << " in " << position.fen();
            ++run.moves;
        } else if (is_result_line(line)) {
            if (line.find("mates}") != std::string::npos) {
                EXPECT_TRUE(position.is_checkmate()) << line << " in " << position.fen();
            }
            run.results.emplace_back(round, line);
        }
    }
    return run;
}

// The results of a ".trn" file's game lines, by round text.
std::map<std::string, std::string> file_results(const std::string& text)
{
    std::map<std::string, std::string> results;
    std::istringstream lines(text);
    for (std::string line; std::getline(lines, line);) {
        std::istringstream words(line);
        std::string round;
        std::string result;
        for (std::string word; words >> word;) {
            if (starts_with(word, "round=")) {
                round = word.substr(6);
            } else if (starts_with(word, "result=")) {
                result = word.substr(7);
            }
        }
        if (starts_with(line, "game ")) {
            results[round] = result;
        }
    }
    return results;
}

std::string first_word(const std::string& line) { return line.substr(0, line.find(' ')); }

TEST(ConsolePeerGames, RoundRobinOfStockfishFairymaxAndSjeng)
{
    ConsoleSession console;
    write_engines_cfg(console, {{"Stockfish", peer_program("stockfish"), "uci"},
                                {"Fairymax", peer_program("fairymax"), "xboard_v2"},
                                {"Sjeng", peer_program("sjeng"), "xboard_v2"}});
    // Positions that end soon: a mate in one for either side, and rooks
    // that are adjudicated unless the engines trade them.
    console.write_file("suite.epd", "6k1/5ppp/8/8/8/8/5PPP/R5K1 w - -\nr5k1/5ppp/8/8/8/8/5PPP/6K1 b - -\n"
                                    "1r2k3/8/8/8/8/8/8/R3K3 w - -\n");
    // A fixed depth: fairymax does not keep to the xboard driver's fixed move time. The
    // games are the circle method's schedule for three participants, one opening per game.
    write_tournament(console, {.event = "Peers Round Robin", .level = "fixed_depth 3", .type = "roundrobin",
                               .suite = console.dir() + "/suite.epd",
                               .participants = {"Stockfish", "Fairymax", "Sjeng"},
                               .games = {{"1.1.2", 1, 2, 3}, {"1.2.2", 2, 2, 1}, {"1.3.2", 3, 3, 1}}});
    const Lines lines = play_tournament(console, "Peers Round Robin", 240);
    const ReplayedRun run = replay_run(lines);
    ASSERT_EQ(run.results.size(), 3u);
    EXPECT_GT(run.moves, 3);
    const auto saved = file_results(console.read_file("tournaments/Peers Round Robin.trn"));
    for (const auto& [round, result] : run.results) {
        EXPECT_EQ(saved.at(round), first_word(result)) << round;
    }
    for (const std::string name : {"whitename Fairymax", "blackname Sjeng", "blackname Stockfish", "whitename Sjeng"}) {
        EXPECT_TRUE(contains(lines, name)) << name;
    }
}

TEST(ConsolePeerGames, AKilledTournamentGoesOnWithItsFirstUnplayedGame)
{
    const std::string fairymax = peer_program("fairymax");
    const std::string stockfish = peer_program("stockfish");
    ConsoleSession first;
    const auto set_up = [&](const ConsoleSession& console) {
        write_engines_cfg(console, {{"Stockfish", stockfish, "uci"}, {"Fairymax", fairymax, "xboard_v2"}});
        console.write_file("suite.epd", "4k3/8/8/3n4/8/8/3N4/4K3 w - -\n6k1/5ppp/8/8/8/8/5PPP/R5K1 w - -\n");
    };
    set_up(first);
    TournamentFile tournament{.event = "Resumed", .level = "fixed_depth 3", .suite = first.dir() + "/suite.epd",
                              .participants = {"Stockfish", "Fairymax"}};
    for (int game = 1; game <= 6; ++game) {
        tournament.games.push_back({std::to_string(game), game, game % 2 == 1 ? 2 : 1, game % 2 == 1 ? 1 : 2});
    }
    write_tournament(first, tournament);
    first.send("0 load_tournament Resumed");
    first.send("0 start_tournament");
    Lines lines = first.lines_until([seen = 0](const std::string& line) mutable { return is_result_line(line) && ++seen == 2; }, 120s);
    first.kill_hard();
    const std::string file = first.read_file("tournaments/Resumed.trn");
    const auto before = file_results(file);
    int first_unplayed = 1;
    while (before.count(std::to_string(first_unplayed)) && before.at(std::to_string(first_unplayed)) != "*") {
        ++first_unplayed;
    }
    ASSERT_GE(first_unplayed, 2);
    ASSERT_LE(first_unplayed, 6);

    // The same files in a new run.
    ConsoleSession second;
    set_up(second);
    second.write_file("tournaments/Resumed.trn", file);
    const Lines rest = play_tournament(second, "Resumed", 120);
    const auto first_round = std::find_if(rest.begin(), rest.end(), [](const std::string& line) { return starts_with(line, "round "); });
    ASSERT_NE(first_round, rest.end());
    EXPECT_EQ(*first_round, "round " + std::to_string(first_unplayed));
    lines.insert(lines.end(), rest.begin(), rest.end());
    std::map<std::string, std::string> printed;
    for (const auto& [round, result] : replay_run(lines).results) {
        printed[round] = first_word(result);
    }
    const auto saved = file_results(second.read_file("tournaments/Resumed.trn"));
    EXPECT_EQ(saved.size(), 6u);
    EXPECT_EQ(saved, printed);
    // Opening n of a two-line suite is line (n - 1) mod 2 + 1.
    const std::string openings[] = {"setboard 4k3/8/8/3n4/8/8/3N4/4K3 w - -", "setboard 6k1/5ppp/8/8/8/8/5PPP/R5K1 w - -"};
    int round = 0;
    for (const std::string& line : lines) {
        if (starts_with(line, "round ")) {
            round = std::stoi(line.substr(6));
        } else if (starts_with(line, "setboard ")) {
            EXPECT_EQ(line, openings[(round - 1) % 2]) << round;
        }
    }
}

TEST(ConsolePeerGames, OpeningPracticeAgainstABookMadeByPolyglot)
{
    ConsoleSession console;
    console.write_file("games.pgn",
                       "[Result \"1/2-1/2\"]\n\n1. e4 e5 2. Nf3 Nc6 3. Bc4 Nf6 4. O-O 1/2-1/2\n\n"
                       "[Result \"1/2-1/2\"]\n\n1. e4 c5 2. Nf3 d6 1/2-1/2\n\n"
                       "[Result \"1/2-1/2\"]\n\n1. d4 d5 2. c4 e6 1/2-1/2\n\n");
    run_command("cd " + quoted(console.dir()) + " && " + peer_program("polyglot") +
                " make-book -pgn games.pgn -bin book.bin -min-game 1 -uniform > /dev/null");
    const auto answer = [&console](const std::string& command) { return answer_to(console, command); };
    const auto as_set = [](const Lines& lines) { return std::set<std::string>(lines.begin(), lines.end()); };
    EXPECT_EQ(answer("0 polyglotbook " + console.dir() + "/book.bin"), Lines{});
    EXPECT_EQ(answer("0 setboard " + start_fen), Lines{});
    EXPECT_EQ(answer("0 learnopenings 3"), Lines{});
    // 1.e4: a book move, then the book's replies as hints (e5 and c5, in the book's order).
    Lines lines = answer("0 usermove e2e4");
    ASSERT_EQ(lines.size(), 4u);
    EXPECT_EQ(Lines(lines.begin(), lines.begin() + 2), (Lines{"clear_arrows", "set_arrow 12 28 g"}));
    EXPECT_EQ(as_set(Lines(lines.begin() + 2, lines.end())), (std::set<std::string>{"set_arrow 52 36 b", "set_arrow 50 34 b"}));
    // Not in the book: a red arrow, the position stays.
    EXPECT_EQ(answer("0 usermove g8f6"), (Lines{"clear_arrows", "set_arrow 62 45 r"}));
    EXPECT_EQ(answer("0 usermove e7e5"), (Lines{"clear_arrows", "set_arrow 52 36 g", "set_arrow 6 21 b"}));
    // Hints for White only from now on.
    EXPECT_EQ(answer("0 learnopenings 1"), Lines{});
    EXPECT_EQ(answer("0 usermove g1f3"), (Lines{"clear_arrows", "set_arrow 6 21 g"}));
    EXPECT_EQ(answer("0 usermove b8c6"), (Lines{"clear_arrows", "set_arrow 57 42 g", "set_arrow 5 26 b"}));
    EXPECT_EQ(answer("0 usermove f1c4"), (Lines{"clear_arrows", "set_arrow 5 26 g"}));
    EXPECT_EQ(answer("0 usermove g8f6"), (Lines{"clear_arrows", "set_arrow 62 45 g", "set_arrow 4 7 b"}));
    // Castling is the king onto its own rook, in the book and on the board.
    EXPECT_EQ(answer("0 usermove e1g1"), (Lines{"clear_arrows", "set_arrow 4 7 g"}));
    EXPECT_EQ(answer("0 usermove f8c5"),
              (Lines{"clear_arrows", "set_arrow 61 34 r", "clear_arrows", "telluser Polyglotbook: no more moves"}));
    // A new position shows the hints of its side to move.
    EXPECT_EQ(as_set(answer("0 setboard " + start_fen)), (std::set<std::string>{"set_arrow 12 28 b", "set_arrow 11 27 b"}));
}

}
}
