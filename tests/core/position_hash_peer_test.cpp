#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <iterator>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "tests/core/random_walk.h"
#include "tests/support/peer_programs.h"

namespace {

struct PlayedGame {
    std::string start_fen;
    std::vector<Move> moves;
    std::vector<std::string> fens;      // after each move
    std::vector<std::uint64_t> keys;    // after each move
    std::vector<bool> en_passant_legal; // after each move: a legal en passant capture exists
};

bool has_en_passant_capture(const ChessPosition& position)
{
    MoveList list;
    MoveGenerator generator;
    generator.generate(position, list);
    for (const Move& move : list)
        if (move.kind() == en_passant)
            return true;
    return false;
}

PlayedGame replayed(const std::string& start_fen, const std::vector<Move>& moves)
{
    PlayedGame game;
    game.start_fen = start_fen;
    game.moves = moves;
    ChessPosition replay;
    replay.set_fen(start_fen);
    for (const Move& move : moves) {
        replay.make_move(move);
        game.fens.push_back(replay.fen());
        game.keys.push_back(replay.hash_key());
        game.en_passant_legal.push_back(has_en_passant_capture(replay));
    }
    return game;
}

// Random games from the start position, then games from set-up positions where a
// double step lands beside a pawn that may not capture en passant.
std::vector<PlayedGame> test_games(int count, int plies)
{
    RandomWalk walk(20261208);
    std::vector<PlayedGame> games;
    for (int i = 0; i < count; ++i) {
        ChessPosition position;
        position.set_start_position();
        const std::string start = position.fen();
        games.push_back(replayed(start, walk.play(position, plies)));
    }
    const std::vector<std::pair<const char*, std::vector<const char*>>> scripted = {
        {"4k3/3p4/8/K3P2r/8/8/8/8 b - - 0 1", {"d7d5", "a5b4", "e8d7"}},
        {"8/2k5/8/8/5p2/8/4P2B/7K w - - 0 1", {"e2e4", "c7b6"}},
    };
    for (const auto& [fen, texts] : scripted) {
        ChessPosition position;
        position.set_fen(fen);
        std::vector<Move> moves;
        for (const char* text : texts) {
            moves.push_back(position.convert_to_move(text));
            position.make_move(moves.back());
        }
        games.push_back(replayed(fen, moves));
    }
    return games;
}

std::string write_pgn(const std::vector<PlayedGame>& games, const std::string& dir)
{
    const std::string path = dir + "/games.pgn";
    std::ofstream out(path);
    int round = 1;
    for (const PlayedGame& game : games) {
        out << "[Event \"random\"]\n[Site \"?\"]\n[Date \"????.??.??\"]\n[Round \"" << round++
            << "\"]\n[White \"?\"]\n[Black \"?\"]\n[Result \"*\"]\n[SetUp \"1\"]\n[FEN \"" << game.start_fen
            << "\"]\n\n";
        for (std::size_t i = 0; i < game.moves.size(); ++i)
            out << game.moves[i].to_string(false) << (i % 12 == 11 ? "\n" : " ");
        out << "*\n\n";
    }
    return path;
}

// The texts inside braces of one game's movetext, in order.
std::vector<std::string> comments_of(const std::string& movetext)
{
    std::vector<std::string> comments;
    std::size_t open = movetext.find('{');
    while (open != std::string::npos) {
        const std::size_t close = movetext.find('}', open);
        std::string text = movetext.substr(open + 1, close - open - 1);
        text.erase(0, text.find_first_not_of(' '));
        text.erase(text.find_last_not_of(' ') + 1);
        comments.push_back(text);
        open = movetext.find('{', close);
    }
    return comments;
}

// pgn-extract prints keys without leading zeros.
std::string padded_hex(const std::string& digits) { return std::string(16 - digits.size(), '0') + digits; }

std::string hex(std::uint64_t value)
{
    char text[17];
    std::snprintf(text, sizeof text, "%016llx", static_cast<unsigned long long>(value));
    return text;
}

// Our FEN with the en passant field replaced by "-".
std::string without_en_passant(const std::string& fen)
{
    std::istringstream words(fen);
    std::vector<std::string> fields{std::istream_iterator<std::string>(words), {}};
    fields[3] = "-";
    std::string text;
    for (const std::string& field : fields)
        text += (text.empty() ? "" : " ") + field;
    return text;
}

std::string en_passant_field(const std::string& fen)
{
    std::istringstream words(fen);
    std::string field;
    for (int i = 0; i < 4; ++i)
        words >> field;
    return field;
}

// Random games written in coordinate form and replayed by pgn-extract: after
// every move the Polyglot key and the FEN must agree. pgn-extract leaves out of
// the FEN an en passant square on which no legal capture exists, while this
// program records it whenever an enemy pawn stands beside the pawn that
// advanced; that difference is allowed. The keys agree either way: the
// Polyglot key counts the en passant file whenever such a pawn stands beside.
TEST(PositionHashPeer, KeysAndFensAgreeWithPgnExtract)
{
    const std::vector<PlayedGame> games = test_games(60, 160);
    const std::string dir = torvane_test::make_temp_dir("keys-peer");
    const std::string pgn = write_pgn(games, dir);
    const std::string output = torvane_test::run_command(torvane_test::peer_program("pgn-extract")
                                                         + " -s --hashcomments --fencomments --nofauxep -w100000 "
                                                         + torvane_test::quoted(pgn));

    std::vector<std::string> movetexts;
    std::istringstream lines(output);
    std::string line;
    while (std::getline(lines, line))
        if (!line.empty() && line[0] != '[')
            movetexts.push_back(line);
    ASSERT_EQ(movetexts.size(), games.size());

    int compared = 0;
    int en_passant_differences = 0;
    for (std::size_t g = 0; g < games.size(); ++g) {
        const PlayedGame& game = games[g];
        const std::vector<std::string> comments = comments_of(movetexts[g]);
        ASSERT_EQ(comments.size(), 2 * game.moves.size()) << "game " << g + 1;
        for (std::size_t i = 0; i < game.moves.size(); ++i) {
            const std::string& their_fen = comments[2 * i];
            const std::string their_key = padded_hex(comments[2 * i + 1]);
            const std::string& our_fen = game.fens[i];
            const std::string where = "game " + std::to_string(g + 1) + " move " + std::to_string(i + 1) + " "
                                      + game.moves[i].to_string(false);
            EXPECT_EQ(hex(game.keys[i]), their_key) << where << " " << our_fen;
            if (our_fen != their_fen) {
                // Only the en passant field may differ, and only when no capture is legal.
                const std::string square = en_passant_field(our_fen);
                ASSERT_NE(square, "-") << where;
                EXPECT_FALSE(game.en_passant_legal[i]) << where;
                EXPECT_EQ(without_en_passant(our_fen), their_fen) << where;
                ++en_passant_differences;
            }
            ++compared;
        }
    }
    EXPECT_GT(compared, 5000);
    EXPECT_GE(en_passant_differences, 2);
    std::cout << compared << " positions compared, " << en_passant_differences << " with an en passant square that pgn-extract leaves out\n";
}

}

namespace {

// Polyglot's own book maker keys the positions of the same games: every key in
// the book it writes is the key this program gives the position before a move.
TEST(PositionHashPeer, PolyglotBookKeysAreOurKeys)
{
    std::vector<PlayedGame> games = test_games(40, 120);
    games.resize(40);
    const std::string dir = torvane_test::make_temp_dir("book-peer");
    const std::string pgn = write_pgn(games, dir);
    torvane_test::run_command(torvane_test::peer_program("pgn-extract") + " -s -C -w100000 -o "
                              + torvane_test::quoted(dir + "/san.pgn") + " " + torvane_test::quoted(pgn));
    torvane_test::run_command("cd " + torvane_test::quoted(dir) + " && " + torvane_test::peer_program("polyglot")
                              + " make-book -pgn san.pgn -bin book.bin -min-game 1 > /dev/null");

    std::set<std::uint64_t> ours;
    ChessPosition start;
    start.set_start_position();
    ours.insert(start.hash_key());
    for (const PlayedGame& game : games)
        ours.insert(game.keys.begin(), game.keys.end());

    std::ifstream book(dir + "/book.bin", std::ios::binary);
    std::set<std::uint64_t> book_keys;
    unsigned char entry[16];
    while (book.read(reinterpret_cast<char*>(entry), sizeof entry)) {
        std::uint64_t key = 0;
        for (int i = 0; i < 8; ++i)
            key = (key << 8) | entry[i];
        book_keys.insert(key);
    }
    EXPECT_GT(book_keys.size(), 3000u);
    for (std::uint64_t key : book_keys)
        EXPECT_TRUE(ours.count(key)) << hex(key);
}

}
