#include "game/game_header.h"
#include "game/pgn_error.h"
#include "game/game_tree.h"
#include "game/pgn_file.h"
#include "game/pgn_tokenizer.h"
#include "tests/game/pgn_test_files.h"
#include "tests/game/read_movetext.h"

#include <gtest/gtest.h>

#include <sstream>

namespace {

using pgn_test::game_tree_of;

// The tree in main-line-first order, independent of the ids.
void describe(const GameTree& tree, std::uint64_t id, std::string& out)
{
    const MoveSectionEntry& e = tree.entry(id);
    std::ostringstream line;
    line << "<" << static_cast<int>(e.type()) << " " << e.colour() << " " << e.number() << " " << e.san() << " "
         << e.nag() << " {" << e.comment() << "} " << e.result();
    out += line.str();
    for (std::int32_t child : e.children())
        describe(tree, static_cast<std::uint64_t>(child), out);
    out += ">";
}

std::string describe(const GameTree& tree)
{
    std::string out;
    describe(tree, 0, out);
    return out;
}

// Reads the game, writes it back, reads that again: the two trees must agree,
// comments included, and writing the second gives the text written from the first.
void expect_round_trip(const std::string& game_text)
{
    GameTree first = game_tree_of(game_text);
    const std::string written = first.movetext();
    GameTree second = game_tree_of("[Event \"again\"]\n\n" + written + "\n\n");
    EXPECT_EQ(describe(second), describe(first)) << game_text << "\n---\n" << written;
    EXPECT_EQ(second.movetext(), written);
}

const std::string awkward_file =
    "\xEF\xBB\xBF% written by hand\r\n"
    "[Event \"Nested\"]\r\n[Site \"?\"]\r\n[White \"Jos\xC3\xA9\"]\r\n[Black \"B\"]\r\n[Result \"1-0\"]\r\n\r\n"
    "{Start comment} 1. e4 $1 {A [%eval 0.25] [%depth 20] comment} 1... e5 (1... c5 {Sicilian} 2. Nf3 (2. c3 d5 "
    "3. exd5 Qxd5) 2... d6 (2... Nc6 3. Bb5) 3. d4) (1... e6 2. d4 d5) 2. Nf3 Nc6 3. Bb5 a6 4. Ba4 Nf6 5. O-O\r\n"
    "% an escape line inside the movetext\r\n"
    "Be7 6. Re1 b5 7. Bb3 d6 8. c3 O-O 9. h3 {caf\xC3\xA9 and a broken \xE2\x82 byte} Nb8 10. d4 Nbd7 1-0\r\n\r\n"
    "[Event \"First move alternatives\"]\n[Result \"*\"]\n\n1. e4 (1. d4 d5 2. c4) (1. c4 {English}) e5 *\n\n"
    "[Event \"Damaged\"]\n[Result \"*\"]\n\n1. d4 \xC3\xA9 d5 *\n\n"
    "[Event \"Long comment\"]\n[Result \"*\"]\n\n1. d4 {" + std::string(1500, 'x') + "} d5 *\n\n"
    "[Event \"Glyphs\"]\n[Result \"0-1\"]\n\n1. f3 $2 e5 2. g4 $4 Qh4# $1 0-1\n\n";

TEST(PgnRoundTrip, ReadableGamesOfAnAwkwardFile)
{
    PgnFile file;
    file.open(pgn_test::write_temp_file("awkward.pgn", awkward_file));
    int games = 0;
    for (std::string text = file.first_game(); !text.empty(); text = file.next_game()) {
        ++games;
        expect_round_trip(text);
    }
    EXPECT_EQ(games, 4);
}

TEST(PgnRoundTrip, EveryListedGameIncludingDamagedOnes)
{
    PgnFile file;
    file.open(pgn_test::write_temp_file("awkward.pgn", awkward_file));
    int rows = 0;
    for (auto header = read_first_pgn_headers(file); header; header = read_next_pgn_headers(file))
        ++rows;
    ASSERT_EQ(rows, 5);
    int damaged = 0;
    for (int n = 1; n <= rows; ++n) {
        std::string text;
        try {
            text = file.listed_game(n);
        } catch (const pgn_error& error) {
            EXPECT_NE(error.text().find("?????"), std::string::npos);
            text = error.text();
            damaged = n;
        }
        ASSERT_FALSE(text.empty()) << n;
        expect_round_trip(text);
    }
    EXPECT_EQ(damaged, 3);
    EXPECT_EQ(file.listed_game(4).find("ERROR"), std::string::npos);
}

TEST(PgnRoundTrip, NestedGameKeepsItsShape)
{
    PgnFile file;
    file.open(pgn_test::write_temp_file("awkward.pgn", awkward_file));
    GameTree tree = game_tree_of(file.first_game());
    EXPECT_EQ(tree.entry(0).comment(), "Start comment");
    const std::string text = tree.movetext();
    // The root comment's line counts towards the first line of moves.
    EXPECT_EQ(text.substr(0, 110),
              "{Start comment} \n1.e4 $1 {A [%eval 0.25] [%depth 20] comment} 1...e5 ( 1...c5\n"
              "{Sicilian} 2.Nf3 ( 2.c3 d5 3.exd");
    EXPECT_NE(text.find("{caf\xC3\xA9 and a broken ?? byte}"), std::string::npos);
    EXPECT_NE(text.find("Be7 6.Re1"), std::string::npos);
    EXPECT_EQ(text.substr(text.size() - 4), " 1-0");
}

TEST(PgnRoundTrip, LegalGamesWithVariations)
{
    PgnFile file;
    file.open(pgn_test::seed_games_path());
    int games = 0;
    for (std::string text = file.first_game(); !text.empty(); text = file.next_game()) {
        ++games;
        expect_round_trip(text);
    }
    EXPECT_EQ(games, 40);
}

}
