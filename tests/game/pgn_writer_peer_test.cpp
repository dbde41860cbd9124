#include "game/game_tree.h"
#include "game/pgn_file.h"
#include "game/pgn_tokenizer.h"
#include "tests/game/pgn_test_files.h"
#include "tests/game/read_movetext.h"
#include "tests/support/peer_programs.h"

#include <gtest/gtest.h>

namespace {

// Every game of the file read into a tree and written back with its tags.
std::string rewritten(const std::string& path, int& games)
{
    PgnFile file;
    file.open(path);
    std::string out;
    games = 0;
    for (std::string text = file.first_game(); !text.empty(); text = file.next_game()) {
        GameTree tree = pgn_test::game_tree_of(text);
        out += text.substr(0, text.find("\n\n") + 1) + "\n" + tree.movetext() + "\n\n";
        ++games;
    }
    return out;
}

// pgn-extract's own rendering of the file's moves and variations (no comments
// or glyphs); fails the test when it reports any diagnostic.
std::string extracted(const std::string& path, const std::string& options)
{
    const std::string output = path + ".out";
    const std::string diagnostics = torvane_test::run_command(torvane_test::peer_program("pgn-extract") + " -s " +
                                                              options + " -o" + torvane_test::quoted(output) + " " +
                                                              torvane_test::quoted(path) + " 2>&1");
    EXPECT_EQ(diagnostics, "") << path;
    return pgn_test::read_file(output);
}

TEST(PgnWriterPeer, PgnExtractReadsWrittenGamesAsTheOriginals)
{
    const std::string original = pgn_test::seed_games_path();
    int games = 0;
    const std::string ours = pgn_test::write_temp_file("rewritten.pgn", rewritten(original, games));
    ASSERT_EQ(games, 40);
    const std::string expected = extracted(original, "-C -N");
    ASSERT_FALSE(expected.empty());
    EXPECT_EQ(extracted(ours, "-C -N"), expected);
}

TEST(PgnWriterPeer, PgnExtractAcceptsCommentsGlyphsAndFirstMoveVariations)
{
    const std::string games =
        "[Event \"Annotated\"]\n[Site \"?\"]\n[Date \"????.??.??\"]\n[Round \"1\"]\n[White \"A\"]\n[Black \"B\"]\n"
        "[Result \"1-0\"]\n\n"
        "{Start} 1. e4 $1 {A [%eval 0.25] [%depth 20] [%emt 0:00:05] comment} 1... e5 (1... c5 {Sicilian} 2. Nf3 "
        "(2. c3 d5 3. exd5 Qxd5) 2... d6 (2... Nc6 3. Bb5) 3. d4) (1... e6 2. d4 d5) 2. Nf3 Nc6 3. Bb5 a6 4. Ba4 "
        "Nf6 5. O-O Be7 6. Re1 b5 7. Bb3 d6 8. c3 O-O 9. h3 {[%eval 0.31] [%depth 24] [%nps 1200000] [%acn 9000]} "
        "Nb8 10. d4 Nbd7 1-0\n\n"
        "[Event \"Alternatives\"]\n[Site \"?\"]\n[Date \"????.??.??\"]\n[Round \"2\"]\n[White \"A\"]\n[Black \"B\"]\n"
        "[Result \"*\"]\n\n1. e4 (1. d4 d5 2. c4 $5) (1. c4 {English}) e5 *\n\n";
    const std::string original = pgn_test::write_temp_file("annotated.pgn", games);
    int count = 0;
    const std::string ours = pgn_test::write_temp_file("rewritten.pgn", rewritten(original, count));
    ASSERT_EQ(count, 2);
    EXPECT_EQ(extracted(ours, "-C -N"), extracted(original, "-C -N"));
    EXPECT_FALSE(extracted(ours, "").empty());
}

}
