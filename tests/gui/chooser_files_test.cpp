// What the position and game choosers list, without a display: row k of the
// position list is line k that the loaders count, and row n of the game list
// is the game that PgnFile::listed_game(n) reads.

#include "game/pgn_error.h"
#include "game/pgn_file.h"
#include "gui/game_list_rows.h"
#include "gui/position_lines.h"
#include "tests/support/peer_programs.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>

namespace {

class ChooserFilesTest : public testing::Test {
protected:
    ChooserFilesTest() : m_dir(torvane_test::make_temp_dir("torvane-choosers")) {}
    ~ChooserFilesTest() override { std::filesystem::remove_all(m_dir); }

    std::string write(const std::string& name, const std::string& text)
    {
        const std::string path = m_dir + "/" + name;
        std::ofstream(path, std::ios::binary) << text;
        return path;
    }

    std::string m_dir;
};

std::string game(const std::string& tags, const std::string& moves = "1.e4 e5 *")
{
    return tags + "\n" + moves + "\n\n";
}

std::string tag(const std::string& name, const std::string& value)
{
    return "[" + name + " \"" + value + "\"]\n";
}

std::string roster(const std::string& white, const std::string& black)
{
    return tag("Event", "E") + tag("Site", "S") + tag("Date", "2024.05.06") + tag("Round", "1") + tag("White", white)
           + tag("Black", black) + tag("Result", "*");
}

// The value of a tag in a game's raw text, "?" when it has none.
std::string tag_in(const std::string& text, const std::string& name)
{
    const std::string opening = "[" + name + " \"";
    const auto start = text.find(opening);
    const auto end = start == std::string::npos ? start : text.find("\"]", start + opening.size());
    return end == std::string::npos ? "?" : text.substr(start + opening.size(), end - start - opening.size());
}

TEST_F(ChooserFilesTest, PositionLinesSkipEmptyLinesOfEitherEnding)
{
    const std::string start = "rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w KQkq - 0 1";
    const std::string path = write("p.epd", start + "\n\n8/8/8/8/8/8/8/K1k5 w - - bm Kb1;\r\n\r\n\n4k3/8/8/8/8/8/8/4K3 b - -");
    EXPECT_EQ(read_position_lines(path),
              (std::vector<std::string>{start, "8/8/8/8/8/8/8/K1k5 w - - bm Kb1;", "4k3/8/8/8/8/8/8/4K3 b - -"}));
    // A line too long for any position is left out; the lines around it count.
    const std::string huge(longest_position_line + 1, 'x');
    const std::string longest(longest_position_line, 'y');
    EXPECT_EQ(read_position_lines(write("h.epd", start + "\n" + huge + "\r\n" + longest + "\r\n")),
              (std::vector<std::string>{start, longest}));
    EXPECT_EQ(read_position_lines(write("b.epd", huge)), std::vector<std::string>{});
    EXPECT_TRUE(read_position_lines(m_dir + "/missing.fen").empty());
    EXPECT_TRUE(read_position_lines(m_dir).empty());
}

TEST_F(ChooserFilesTest, GameRowsAreTheListedGamesWithTagsByName)
{
    const std::string text =
        game(roster("R\xC3\xA9ti", "Nimzowitsch"))
        // Roster out of order and without "Round".
        + game(tag("Event", "E") + tag("Result", "1-0") + tag("Black", "B2") + tag("White", "W2") + tag("Date", "D2"))
        // A damaged game: a stray byte between moves.
        + game(roster("W3", "B3"), "1.e4 \xC3 e5 *")
        // A header without any roster tag after its "EventDate".
        + game(tag("EventDate", "2024") + tag("Annotator", "A"))
        + game(roster("W5", "B5"))
        // White first and Event last, as some sites write them.
        + game(tag("White", "W6") + tag("Black", "B6") + tag("Result", "1-0") + tag("Event", "E6"))
        // No Event tag.
        + game(tag("White", "W7") + tag("Black", "B7"));
    const std::string path = write("g.pgn", text);
    const std::vector<GameListRow> rows = read_game_list(path, 1000);
    ASSERT_EQ(rows.size(), 7u);
    PgnFile file;
    file.open(path);
    for (std::size_t n = 1; n <= rows.size(); ++n) {
        std::string listed;
        try {
            listed = file.listed_game(static_cast<int>(n));
        } catch (const pgn_error& damaged) {
            EXPECT_EQ(n, 3u);
            listed = damaged.text();
        }
        const GameListRow& row = rows[n - 1];
        EXPECT_EQ(row.white, tag_in(listed, "White")) << n;
        EXPECT_EQ(row.black, tag_in(listed, "Black")) << n;
        EXPECT_EQ(row.result, tag_in(listed, "Result")) << n;
        EXPECT_EQ(row.date, tag_in(listed, "Date")) << n;
    }
    EXPECT_EQ(file.listed_game(8), "");
    EXPECT_EQ(rows[1].white, "W2");
    EXPECT_EQ(rows[3].white, "?");
    EXPECT_EQ(rows[5].white, "W6");
    EXPECT_EQ(file.listed_game(6).rfind("[White \"W6\"]\n", 0), 0u);
    EXPECT_EQ(rows[6].black, "B7");
}

TEST_F(ChooserFilesTest, AtMostTheLimitAndNothingFromAnUnreadableFile)
{
    std::string text;
    for (int n = 1; n <= 1200; ++n)
        text += game(roster("W" + std::to_string(n), "B"));
    const std::vector<GameListRow> rows = read_game_list(write("many.pgn", text), 1000);
    ASSERT_EQ(rows.size(), 1000u);
    EXPECT_EQ(rows.back().white, "W1000");
    EXPECT_TRUE(read_game_list(m_dir + "/missing.pgn", 1000).empty());
    EXPECT_TRUE(read_game_list(m_dir, 1000).empty());
    EXPECT_TRUE(read_game_list(write("empty.pgn", ""), 1000).empty());
}

}
