#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <iterator>
#include <random>
#include <sstream>
#include <string>
#include <vector>

#include "core/move_generator.h"
#include "game/chess_game.h"
#include "tests/game/random_games.h"
#include "tests/support/peer_programs.h"

namespace {

struct PlyRecordText {
    std::string san;
    std::string fen;
    std::string key;
};

std::string hex_key(uint64_t key)
{
    char text[17];
    std::snprintf(text, sizeof text, "%016llx", static_cast<unsigned long long>(key));
    return text;
}

std::string fen_field(const std::string& fen, int field)
{
    std::istringstream words(fen);
    std::string word;
    for (int i = 0; i <= field; ++i)
        words >> word;
    return word;
}

std::string without_field(const std::string& fen, int field)
{
    std::istringstream words(fen);
    std::string word, text;
    for (int i = 0; words >> word; ++i)
        if (i != field)
            text += word + " ";
    return text;
}

bool has_en_passant_capture(ChessPosition& position)
{
    MoveGenerator generator;
    MoveList moves;
    generator.generate(position, moves);
    for (const Move& move : moves)
        if (move.kind() == en_passant)
            return true;
    return false;
}

std::string read_file(const std::string& name)
{
    std::ifstream file(name);
    return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

// Runs pgn-extract over the file with a FEN and a key comment after every
// move; its standard error is returned in errors.
std::string pgn_extract(const std::string& dir, const std::string& file, std::string& errors)
{
    const std::string error_file = dir + "/errors.txt";
    const std::string output = torvane_test::run_command(
        torvane_test::peer_program("pgn-extract")
        + " -s --hashcomments --fencomments --nofauxep -Wsan -w100000 " + torvane_test::quoted(file) + " 2>"
        + torvane_test::quoted(error_file));
    errors = read_file(error_file);
    return output;
}

// pgn-extract writes every move as: SAN, any comment of the game's own, then
// " { ", the FEN, " } { ", the key, " }": the last two comments after a move.
std::vector<std::vector<PlyRecordText>> parse_pgn_extract(const std::string& output)
{
    std::vector<std::vector<PlyRecordText>> games;
    std::istringstream lines(output);
    std::string line;
    while (std::getline(lines, line)) {
        if (line.rfind("[Event ", 0) == 0)
            games.emplace_back();
        if (line.empty() || line[0] == '[' || games.empty())
            continue;
        std::istringstream words(line);
        std::vector<std::string> list;
        for (std::string word; words >> word;)
            list.push_back(word);
        for (std::size_t i = 0; i + 1 < list.size(); ++i) {
            if (list[i + 1] != "{" || list[i] == "}" || list[i].back() == '.')
                continue;
            std::vector<std::string> comments;
            std::size_t j = i + 1;
            while (j < list.size() && list[j] == "{") {
                std::string text;
                for (++j; j < list.size() && list[j] != "}"; ++j)
                    text += (text.empty() ? "" : " ") + list[j];
                comments.push_back(text);
                ++j;
            }
            const bool keyed = comments.size() >= 2 && !comments.back().empty() && comments.back().size() <= 16 &&
                               comments.back().find_first_not_of("0123456789abcdef") == std::string::npos;
            if (!keyed)
                continue;
            PlyRecordText ply{list[i], comments[comments.size() - 2], comments.back()};
            ply.key.insert(0, 16 - ply.key.size(), '0');
            games.back().push_back(ply);
            i = j - 1;
        }
    }
    return games;
}

// A start position reached by a few random moves, so that games also begin
// with black to move, with some castling rights gone or an en passant square.
std::string random_start_fen(std::mt19937& random)
{
    torvane_test::RandomGameShape opening;
    opening.max_plies = std::uniform_int_distribution<int>(1, 30)(random);
    ChessGame game = torvane_test::random_game(random, opening);
    return game.position().fen();
}

TEST(GameRecordPeer, SanFenAndKeysAgreeWithPgnExtract)
{
    const std::string dir = torvane_test::make_temp_dir("game_record_peer");
    const std::string file = dir + "/games.pgn";
    std::mt19937 random(960);
    std::vector<std::vector<PlyRecordText>> ours;
    std::vector<std::string> start_fens;
    {
        std::ofstream out(file);
        for (int round = 0; round < 400; ++round) {
            torvane_test::RandomGameShape shape;
            shape.max_plies = 250;
            if (round % 2 == 1)
                shape.start_fen = random_start_fen(random);
            ChessGame game = torvane_test::random_game(random, shape);
            game.set_tag("Event", "random " + std::to_string(round));
            out << game.pgn();
            std::vector<PlyRecordText> plies;
            game.goto_start();
            for (std::string fen = game.forward(); !fen.empty(); fen = game.forward())
                plies.push_back({game.tree().entry(game.current()).san(), fen, hex_key(game.position().hash_key())});
            ours.push_back(plies);
            start_fens.push_back(shape.start_fen);
        }
    }
    std::string errors;
    const auto theirs = parse_pgn_extract(pgn_extract(dir, file, errors));
    EXPECT_EQ(errors, "");
    ASSERT_EQ(theirs.size(), ours.size());
    int en_passant_differences = 0;
    for (std::size_t g = 0; g < ours.size(); ++g) {
        ASSERT_EQ(theirs[g].size(), ours[g].size()) << "game " << g;
        ChessGame replay;
        if (!start_fens[g].empty())
            replay.set_tag("FEN", start_fens[g]);
        for (std::size_t p = 0; p < ours[g].size(); ++p) {
            const auto& a = ours[g][p];
            const auto& b = theirs[g][p];
            replay.add_san_move(a.san);
            ASSERT_EQ(a.san, b.san) << "game " << g << " ply " << p;
            ASSERT_EQ(a.key, b.key) << "game " << g << " ply " << p << " " << a.fen;
            if (a.fen == b.fen)
                continue;
            // pgn-extract leaves out an en passant square whose capture is
            // illegal; this system records it whenever an enemy pawn stands beside.
            ASSERT_EQ(without_field(a.fen, 3), without_field(b.fen, 3)) << "game " << g << " ply " << p;
            ASSERT_EQ(fen_field(b.fen, 3), "-");
            ASSERT_FALSE(has_en_passant_capture(replay.position())) << a.fen;
            ++en_passant_differences;
        }
    }
    std::cout << "en passant squares without a legal capture: " << en_passant_differences << "\n";

    // pgn-replay reads pgn-extract's own text (its SAN and its comments) and
    // must print the same moves, positions and keys.
    const std::string extracted = dir + "/extracted.pgn";
    std::ofstream(extracted) << pgn_extract(dir, file, errors);
    std::istringstream replayed(torvane_test::run_command(
        torvane_test::quoted(TORVANE_BINARY_DIR "/tools/pgn-replay/pgn-replay") + " " + torvane_test::quoted(extracted)));
    std::string line;
    for (const auto& game : theirs) {
        for (const auto& ply : game) {
            ASSERT_TRUE(std::getline(replayed, line));
            std::istringstream words(line);
            std::string san, key;
            std::vector<std::string> fen(6);
            words >> san >> fen[0] >> fen[1] >> fen[2] >> fen[3] >> fen[4] >> fen[5] >> key;
            ASSERT_EQ(san, ply.san) << line;
            ASSERT_EQ(key, ply.key) << line;
            ASSERT_EQ(fen[0] + " " + fen[1] + " " + fen[2], fen_field(ply.fen, 0) + " " + fen_field(ply.fen, 1) + " "
                          + fen_field(ply.fen, 2)) << line;
            ASSERT_EQ(fen[4] + " " + fen[5], fen_field(ply.fen, 4) + " " + fen_field(ply.fen, 5)) << line;
            if (fen[3] != fen_field(ply.fen, 3)) {
                ASSERT_EQ(fen_field(ply.fen, 3), "-") << line;
            }
        }
    }
    EXPECT_FALSE(std::getline(replayed, line)) << line;
}

TEST(GameRecordPeer, PgnExtractAcceptsEveryWrittenGame)
{
    const std::string dir = torvane_test::make_temp_dir("game_record_accept");
    const std::string file = dir + "/games.pgn";
    std::mt19937 random(4711);
    const int games = 150;
    {
        std::ofstream out(file);
        for (int round = 0; round < games; ++round) {
            torvane_test::RandomGameShape shape;
            shape.max_plies = 160;
            shape.variations = 5;
            shape.annotations = true;
            if (round % 3 == 0)
                shape.start_fen = random_start_fen(random);
            ChessGame game = torvane_test::random_game(random, shape);
            game.set_tag("White", "Engine \"quoted\" 1.0");
            if (game.get_result() == "*" && round % 2) {
                std::string result = "1/2-1/2 {agreed}";
                game.set_result(result);
            }
            out << game.pgn();
        }
    }
    std::string errors;
    const std::string output = pgn_extract(dir, file, errors);
    EXPECT_EQ(errors, "");
    EXPECT_EQ(parse_pgn_extract(output).size(), static_cast<std::size_t>(games));
}

}
