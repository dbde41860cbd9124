#include "game/chess_game.h"
#include "game/game_tree.h"
#include "game/pgn_file.h"
#include "tests/game/pgn_test_files.h"
#include "tests/game/read_movetext.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

// Saving a game and loading it again, as often as the user likes, must give
// back the same game: the same comments, tag values and text.

namespace {

using pgn_test::game_tree_of;

// Comments whose commands land on every column near the line end as the
// padding in front of them grows.
std::vector<std::string> comments_with_commands(std::size_t padding)
{
    const std::string pad(padding, 'w');
    return {
        pad + " good [%eval 0.25] [%depth 20] more words here",
        pad + " two  [%eval -1.5]  blanks [%clk 0:01:00]",
        pad + "[%eval 0.1][%depth 3] packed",
        "[%emt 0:00:0" + std::to_string(padding % 10) + "] " + pad + " [%eval 9]",
    };
}

std::string game_text(const std::vector<std::string>& comments)
{
    std::string text = "[Event \"Save and load\"]\n\n1. e4 {" + comments[0] + "} e5 {" + comments[1] + "} 2. Nf3 {" +
                       comments[2] + "} Nc6 {" + comments[3] + "} 3. Bb5 *\n";
    return text;
}

TEST(SaveAndLoad, CommentsWithCommandsStayTheSameHoweverOftenSaved)
{
    for (std::size_t padding = 0; padding < 100; ++padding) {
        const std::vector<std::string> comments = comments_with_commands(padding);
        ChessGame first(game_text(comments));
        const std::string saved = first.pgn();
        std::string text = saved;
        for (int round = 0; round < 4; ++round) {
            ChessGame again(text);
            for (std::uint64_t id = 1; id <= comments.size(); ++id)
                ASSERT_EQ(again.tree().entry(id).comment(), comments[id - 1]) << "padding " << padding;
            text = again.pgn();
            ASSERT_EQ(text, saved) << "padding " << padding << ", round " << round;
        }
    }
}

TEST(SaveAndLoad, OffsetsNameTheMovesAfterBreaksBeforeCommands)
{
    for (std::size_t padding = 0; padding < 100; padding += 7) {
        GameTree tree = game_tree_of(game_text(comments_with_commands(padding)));
        const std::string text = tree.movetext();
        GameTree again = game_tree_of(text);
        ASSERT_EQ(again.movetext(), text);
        for (std::uint64_t id = 1; id < again.next_id(); ++id) {
            if (!again.contains(id))
                continue;
            const MoveSectionEntry& e = again.entry(id);
            const auto start = static_cast<std::size_t>(e.text_start());
            ASSERT_EQ(text.substr(start, e.san().size()), e.san()) << "padding " << padding << ", entry " << id;
            if (!e.comment().empty()) {
                EXPECT_EQ(text[static_cast<std::size_t>(e.text_end()) - 1], '}') << "entry " << id;
            }
        }
    }
}

TEST(SaveAndLoad, LongestCommentWithManyCommandsIsNotCut)
{
    std::string comment;
    while (comment.size() < 2030)
        comment += "x [%eval 0.1] ";
    comment.resize(2040);
    GameTree tree = game_tree_of("1. e4 {" + comment + "} *");
    ASSERT_EQ(tree.entry(1).comment(), comment);
    const std::string text = tree.movetext();
    ASSERT_GT(text.find('}') - text.find('{'), comment.size() + 10) << "expected breaks before commands";
    EXPECT_EQ(game_tree_of(text).entry(1).comment(), comment);
}

struct TagCase {
    std::string name;
    std::string tag_line;
    std::string event;
};

void PrintTo(const TagCase& c, std::ostream* out)
{
    *out << c.name;
}

class BracketsInTagValues : public testing::TestWithParam<TagCase> {};

// The file reader keeps the game whole, the game reads the value, and saving
// and reading the file again gives the same game.
TEST_P(BracketsInTagValues, KeepTheGameWhole)
{
    const std::string game = GetParam().tag_line + "\n[Site \"x\"]\n\n1. e4 e5 2. Nf3 *\n\n";
    PgnFile file;
    file.open(pgn_test::write_temp_file("brackets.pgn", game + game));
    const std::string first = file.next_game();
    ASSERT_EQ(first, game);
    ASSERT_EQ(file.next_game(), game);
    EXPECT_EQ(file.next_game(), "");

    ChessGame loaded(first);
    EXPECT_EQ(loaded.get_tag("Event"), GetParam().event);
    EXPECT_EQ(loaded.get_tag("Site"), "x");
    const std::string saved = loaded.pgn();

    const std::string path = pgn_test::write_temp_file("saved.pgn", "");
    PgnFile out;
    ASSERT_TRUE(out.open_append(path));
    ASSERT_TRUE(out.write(saved));
    ASSERT_TRUE(out.write(saved));
    ASSERT_TRUE(out.close_append());
    PgnFile in;
    in.open(path);
    for (int n = 0; n < 2; ++n) {
        const std::string read = in.next_game();
        ASSERT_EQ(read, saved);
        EXPECT_EQ(ChessGame(read).pgn(), saved);
    }
    EXPECT_EQ(in.next_game(), "");
}

INSTANTIATE_TEST_SUITE_P(
    Files, BracketsInTagValues,
    testing::Values(TagCase{"ResultAfterBracket", "[Event \"Blitz ]1-0 test\"]", "Blitz ]1-0 test"},
                    TagCase{"StarAfterBracket", "[Event \"a ] * b\"]", "a ] * b"},
                    TagCase{"EscapedQuotes", "[Event \"say \\\"]0-1\\\" now\"]", "say \\\"]0-1\\\" now"},
                    TagCase{"BracketsOnly", "[Event \"[]]\"]", "[]]"}));

TEST(PgnFile, UnclosedQuoteInATagEndsAtTheLineEnd)
{
    PgnFile file;
    file.open(pgn_test::write_temp_file("unclosed.pgn", "[Event \"abc]\n[Site \"x\"]\n\n1. e4 *\n[Event \"b\"] *"));
    EXPECT_EQ(file.next_game(), "[Event \"abc]\n[Site \"x\"]\n\n1. e4 *\n\n");
    EXPECT_EQ(file.next_game(), "[Event \"b\"] *\n\n");
}

TEST(PgnFile, FailedOpenOfASecondFileLeavesNothingOpen)
{
    PgnFile file;
    file.open(pgn_test::write_temp_file("first.pgn", "[Event \"1\"] *\n[Event \"2\"] *"));
    ASSERT_TRUE(file.is_open());
    EXPECT_EQ(file.next_game(), "[Event \"1\"] *\n\n");
    file.open("/nonexistent/second.pgn");
    EXPECT_FALSE(file.is_open());
    EXPECT_EQ(file.next_game(), "");
}

// The game's first move never gets a leading blank, whatever its id.
TEST(SaveAndLoad, NewFirstMoveAfterRemovingTheOldOne)
{
    GameTree tree;
    MoveSectionEntry e4;
    e4.set_san("e4");
    const auto e4_id = tree.add_child(0, e4);
    MoveSectionEntry d4;
    d4.set_san("d4");
    const auto d4_id = tree.add_child(0, d4);
    EXPECT_EQ(tree.movetext(), "1.e4 ( 1.d4) *");
    tree.remove_entry(e4_id);
    EXPECT_EQ(tree.movetext(), "1.d4 *");
    EXPECT_EQ(tree.entry(d4_id).text_start(), 2);
    EXPECT_EQ(tree.entry(d4_id).text_end(), 4);
    EXPECT_EQ(game_tree_of("1.d4 *").movetext(), "1.d4 *");
}

TEST(SaveAndLoad, FirstMovePlayedAgainAfterTakingItBack)
{
    ChessGame game;
    for (int round = 0; round < 3; ++round) {
        game.add_san_move("e4");
        const std::string saved = game.pgn();
        EXPECT_NE(saved.find("\n\n1.e4 *\n\n"), std::string::npos) << saved;
        EXPECT_EQ(ChessGame(saved).pgn(), saved);
        game.remove_last_move();
    }
}

}
