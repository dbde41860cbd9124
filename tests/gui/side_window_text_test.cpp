// The text rules of the side windows, without a display: how an engine-output
// pane takes messages, how an EPD line is laid out, and how the PGN window
// turns clicks and highlights into the game record's byte offsets.

#include "game/chess_game.h"
#include "gui/displayable_text.h"
#include "gui/epd_text.h"
#include "gui/pane_append.h"
#include "gui/pgn_text_offsets.h"

#include <glibmm/ustring.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

// A pane of ASCII text under the append rule.
std::string append_all(const std::vector<std::string>& messages)
{
    std::string pane;
    for (const std::string& message : messages) {
        const PaneAppend edit = pane_append(pane.size(), message);
        pane.erase(pane.size() - edit.remove_at_end);
        pane += edit.insert;
    }
    return pane;
}

TEST(PaneAppendTest, MessagesFollowOneAnotherAndOnlyTheNewestIsSetOff)
{
    EXPECT_EQ(append_all({"a\n", "a\n", "a\n"}), "a\n\n\na\na\n\n\n");
    EXPECT_EQ(append_all({"info depth 1\n", "info depth 2\n"}), "info depth 1\ninfo depth 2\n\n\n");
    for (const auto& [characters, removed] : std::vector<std::pair<std::size_t, std::size_t>>{{0, 0}, {4, 0}, {5, 2}})
        EXPECT_EQ(pane_append(characters, "x").remove_at_end, removed) << characters;
}

TEST(PaneAppendTest, APaneKeepsItsLastThousandLinesOfText)
{
    const struct {
        std::size_t lines, closing_empty_lines, dropped;
    } cases[] = {{1003, 3, 0}, {1004, 3, 1}, {2500, 0, 1500}, {2, 3, 0}};
    for (const auto& test : cases)
        EXPECT_EQ(pane_lines_to_drop(test.lines, test.closing_empty_lines), test.dropped) << test.lines;
}

TEST(EpdTextTest, FourPositionFieldsFirstThenOneOperationPerLine)
{
    struct Case {
        const char* line;
        const char* shown;
    };
    for (const Case& c : {Case{"rnbqkbnr/pppppppp/8/8/4P3/8/PPPP1PPP/RNBQKBNR b KQkq e3 0 1",
                               "rnbqkbnr/pppppppp/8/8/4P3/8/PPPP1PPP/RNBQKBNR b KQkq e3\n0 1"},
                          Case{"8/8/8/8/8/8/8/K1k5 w - - bm Kb1; id \"WAC 1\";",
                               "8/8/8/8/8/8/8/K1k5 w - -\nbm Kb1\n id \"WAC 1\"\n"},
                          Case{"noblanks", "noblanks"}, Case{"a b c", "a b c"}, Case{"a b c d e f", "a b c d\ne f"}})
        EXPECT_EQ(epd_display_text(c.line), c.shown);
}

TEST(DisplayableTextTest, BadBytesBecomeQuestionMarksInPlace)
{
    struct Case {
        std::string text;
        std::string shown;
    };
    for (const Case& c : {Case{"R\xC3\xA9ti \xE2\x82\xAC", "R\xC3\xA9ti \xE2\x82\xAC"}, Case{"R\xE9ti", "R?ti"},
                          Case{"\xC3(", "?("}, Case{"\xC0\xAF", "??"}, Case{"\xED\xA0\x80", "???"},
                          Case{std::string("a\0b", 3), "a?b"}, Case{"\xF0\x9F\x98", "???"}}) {
        EXPECT_EQ(displayable_text(c.text), c.shown);
        EXPECT_TRUE(Glib::ustring(displayable_text(c.text)).validate());
    }
}

TEST(PgnTextOffsetsTest, BytesAndCharactersConvertBothWays)
{
    // a, e acute (2 bytes), euro (3), a face (4), b.
    const std::string text = "a\xC3\xA9\xE2\x82\xAC\xF0\x9F\x98\x80" "b";
    const std::vector<std::size_t> starts = {0, 1, 3, 6, 10, 11};
    for (std::size_t character = 0; character < starts.size(); ++character) {
        EXPECT_EQ(byte_offset(text, character), starts[character]);
        EXPECT_EQ(character_offset(text, starts[character]), character);
        EXPECT_EQ(g_utf8_pointer_to_offset(text.data(), text.data() + starts[character]),
                  static_cast<glong>(character));
    }
    EXPECT_EQ(byte_offset(text, 99), text.size());
    EXPECT_EQ(character_offset(text, 99), 5u);
    EXPECT_EQ(character_offset("R?ti", 2), 2u);
}

TEST(PgnTextOffsetsTest, AClickPicksTheTokenAroundIt)
{
    const std::string text = "1.e4 e5\n2.Nf3 ( 2.Nc3 Nf6) 2...Nc6";
    struct Case {
        std::size_t click;
        int offset;
    };
    for (const Case& c : {Case{0, 3}, Case{2, 3}, Case{6, 6}, Case{4, 6}, Case{7, 12}, Case{14, 13},
                          Case{23, 24}, Case{27, 33}, Case{text.size(), 33}})
        EXPECT_EQ(clicked_offset(text, c.click), c.offset) << "click at " << c.click;
    EXPECT_EQ(clicked_offset("", 0), -1);
    // A token cut short by a brace: the byte before it.
    EXPECT_EQ(clicked_offset("e4 {x}", 3), 2);
}

// A press anywhere on a move's text, its comment and glyph included, takes the
// record to that move, in a game whose names and comments are not ASCII.
TEST(PgnTextOffsetsTest, ClicksOnEveryMoveOfAnAccentedGameReachIt)
{
    ChessGame game(
        "[Event \"F\xC3\xAAte\"]\n[Site \"?\"]\n[Date \"2024.01.02\"]\n[Round \"1\"]\n"
        "[White \"R\xC3\xA9ti, Richard\"]\n[Black \"Nimzowitsch, Aaron\"]\n[Result \"*\"]\n\n"
        "1.e4 {tr\xC3\xA8s bon \xE2\x80\x93 d\xC3\xA9j\xC3\xA0 vu} e5 2.Nf3 (2.Nc3 {\xC3\xA9l\xC3\xA9gant} Nf6) "
        "Nc6 3.Bb5 $1 a6 *\n\n");
    const std::string text = displayable_text(game.pgn());
    struct Move {
        std::pair<std::uint64_t, std::uint64_t> range;
        std::string fen;
    };
    std::vector<Move> moves;
    game.goto_start();
    while (!game.forward().empty())
        moves.push_back(Move{game.current_move_range(), game.position().fen()});
    ASSERT_EQ(moves.size(), 6u);
    for (const Move& move : moves)
        for (std::uint64_t at = move.range.first; at < move.range.second; ++at) {
            if (text[at] == ' ' || text[at] == '\n')
                continue;
            const int offset = clicked_offset(text, at);
            ASSERT_GE(offset, 0);
            EXPECT_EQ(game.goto_text_offset(static_cast<std::uint64_t>(offset)), move.fen) << "byte " << at;
        }

    ChessGame side_line;
    for (const char* san : {"e4", "e5", "Nc3", "Nf6"})
        side_line.add_san_move(san);
    EXPECT_EQ(game.goto_text_offset(static_cast<std::uint64_t>(clicked_offset(text, text.find("Nf6)")))),
              side_line.position().fen());
}

}
