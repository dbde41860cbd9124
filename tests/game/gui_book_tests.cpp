#include "core/chess_position.h"
#include "game/gui_book.h"
#include "tests/support/peer_programs.h"
#include "tests/support/start_position.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <set>

namespace {

using torvane_test::start_fen;

// Three suite games: a plain main line, one whose variation and comment must
// be skipped, and one that starts from its own position.
const char* const three_games = R"([Event "one"]
[Result "*"]

1. e4 e5 2. Nf3 *

[Event "two"]
[Result "*"]

1. d4 d5 2. c4 (2. Nf3 Nf6) {the main line goes on} e6 *

[Event "three"]
[FEN "4k3/8/8/8/8/8/4P3/4K3 w - - 0 1"]
[SetUp "1"]
[Result "*"]

1. e4 Kd7 *
)";

const std::string game_one = "rnbqkbnr/pppp1ppp/8/4p3/4P3/5N2/PPPP1PPP/RNBQKB1R b KQkq - 1 2";
const std::string game_two = "rnbqkbnr/ppp2ppp/4p3/3p4/2PP4/8/PP2PPPP/RNBQKBNR w KQkq - 0 3";
const std::string game_three = "8/3k4/8/8/4P3/8/8/4K3 w - - 1 2";

const std::string line_one = "rnbqkbnr/pppppppp/8/8/4P3/8/PPPP1PPP/RNBQKBNR b KQkq - bm d5;";
const std::string line_two = "r1bqkbnr/pppp1ppp/2n5/4p3/4P3/5N2/PPPP1PPP/RNBQKB1R w KQkq - id \"two\";";
const std::string line_three = "8/8/8/4k3/8/8/8/4K2R w K -";
const std::string fen_one = "rnbqkbnr/pppppppp/8/8/4P3/8/PPPP1PPP/RNBQKBNR b KQkq - 0 1";
const std::string fen_two = "r1bqkbnr/pppp1ppp/2n5/4p3/4P3/5N2/PPPP1PPP/RNBQKB1R w KQkq - 0 1";
const std::string fen_three = "8/8/8/4k3/8/8/8/4K2R w K - 0 1";

class GuiBookTest : public ::testing::Test {
protected:
    void TearDown() override { std::filesystem::remove_all(m_dir); }

    std::string write(const std::string& name, const std::string& text)
    {
        const std::string path = m_dir + "/" + name;
        std::ofstream(path, std::ios::binary) << text;
        return path;
    }

    std::string entry(int n)
    {
        m_book.setup(m_position, n);
        return m_position.fen();
    }

    std::string m_dir = torvane_test::make_temp_dir("gui-book");
    GuiBook m_book;
    ChessPosition m_position;
};

}

TEST(GuiBookEpdTest, EpdToFen)
{
    EXPECT_EQ(GuiBook::epd_to_fen(line_one), fen_one);
    EXPECT_EQ(GuiBook::epd_to_fen("  8/8/8/4k3/8/8/8/4K2R \t w  K   -  "), fen_three);
    EXPECT_EQ(GuiBook::epd_to_fen("8/8/8/4k3/8/8/8/4K3 w -"), "8/8/8/4k3/8/8/8/4K3 w -  0 1");
    EXPECT_EQ(GuiBook::epd_to_fen(""), "    0 1");
}

TEST_F(GuiBookTest, PgnSuiteEntries)
{
    m_book.load(write("three.pgn", three_games));
    EXPECT_EQ(m_book.count(), 3);
    const std::pair<int, std::string> cases[] = {
        {1, game_one}, {2, game_two}, {3, game_three}, {4, game_one}, {0, game_one}, {-5, game_one}, {2, game_two},
    };
    for (const auto& [n, fen] : cases)
        EXPECT_EQ(entry(n), fen) << "entry " << n;
}

TEST_F(GuiBookTest, SetupAgainAndFirstAndNext)
{
    m_book.load(write("three.pgn", three_games));
    m_book.setup_again(m_position);
    EXPECT_EQ(m_position.fen(), game_one) << "nothing set up yet: the first entry";
    m_book.setup(m_position, -5);
    m_book.setup_next(m_position);
    EXPECT_EQ(m_position.fen(), game_two) << "a number below 1 counts as 1";
    m_book.setup(m_position, 3);
    m_book.setup_again(m_position);
    EXPECT_EQ(m_position.fen(), game_three);
    m_book.setup_next(m_position);
    EXPECT_EQ(m_position.fen(), game_one) << "after the last entry comes the first";
    m_book.setup(m_position, 2);
    m_book.setup_first(m_position);
    EXPECT_EQ(m_position.fen(), game_one);
    m_book.setup_next(m_position);
    EXPECT_EQ(m_position.fen(), game_two);
}

TEST_F(GuiBookTest, GamesWithoutMovesGiveTheStartPosition)
{
    m_book.load(write("empty-games.pgn", "[Event \"a\"]\n[Result \"*\"]\n\n*\n\n[Event \"b\"]\n\n1. e4 *\n"));
    EXPECT_EQ(m_book.count(), 2);
    EXPECT_EQ(entry(1), start_fen);
    EXPECT_EQ(entry(2), "rnbqkbnr/pppppppp/8/8/4P3/8/PPPP1PPP/RNBQKBNR b KQkq - 0 1");
}

TEST_F(GuiBookTest, GamesThatCannotBeReplayedGiveTheStartPosition)
{
    m_book.load(write("bad.pgn", "[Event \"illegal\"]\n\n1. e4 e5 2. Ke3 *\n\n"
                                 "[Event \"bad FEN\"]\n[FEN \"8/8/8 w - - 0 1\"]\n[SetUp \"1\"]\n\n1. e4 *\n\n"
                                 "[Event \"good\"]\n\n1. e4 e5 2. Nf3 *\n"));
    ASSERT_EQ(m_book.count(), 3);
    for (int n : {1, 2}) {
        m_position.set_fen(game_three);
        testing::internal::CaptureStderr();
        m_book.setup(m_position, n);
        const std::string message = testing::internal::GetCapturedStderr();
        EXPECT_EQ(m_position.fen(), start_fen) << "entry " << n;
        const std::string line = "GuiBook::setup()   error  nbr=" + std::to_string(n) + "\n";
        // The prescribed line alone, then the cause on a line of its own.
        EXPECT_TRUE(message.starts_with(line) && message.size() > line.size() + 1 && message.ends_with("\n"))
            << message;
    }
    EXPECT_EQ(entry(3), game_one);
}

TEST_F(GuiBookTest, NamesThatLoadNoSuite)
{
    const std::string suite = write("three.pgn", three_games);
    m_book.load(".pgn");
    EXPECT_EQ(m_book.get_filename(), "");
    m_book.load(suite);
    m_book.load(".epd");
    EXPECT_EQ(m_book.get_filename(), suite) << "a name of four characters is ignored";
    EXPECT_EQ(m_book.count(), 3);

    for (const std::string& name : {write("suite.txt", "x\n"), m_dir + "/absent.pgn", m_dir + "/absent.epd",
                                    write("a.pgn", ""), write("none.epd", "")}) {
        GuiBook book;
        book.load(suite);
        testing::internal::CaptureStderr();
        book.load(name);
        testing::internal::GetCapturedStderr();
        EXPECT_EQ(book.count(), 0) << name;
        for (int n : {1, 2}) {
            m_position.set_fen(game_three);
            book.setup(m_position, n);
            EXPECT_EQ(m_position.fen(), start_fen) << name;
        }
        m_position.set_fen(game_three);
        book.setup_random(m_position);
        EXPECT_EQ(m_position.fen(), start_fen) << name;
        m_position.set_fen(game_three);
        book.setup_first(m_position);
        EXPECT_EQ(m_position.fen(), start_fen) << name;
    }
}

TEST_F(GuiBookTest, UnreadableSuitesAreReported)
{
    for (const std::string name : {"/absent.pgn", "/absent.epd"}) {
        testing::internal::CaptureStderr();
        m_book.load(m_dir + name);
        EXPECT_EQ(testing::internal::GetCapturedStderr(), "\nbook " + m_dir + name + " error\n");
    }
}

TEST_F(GuiBookTest, EpdSuiteLines)
{
    struct Case {
        const char* name;
        std::string text;
        int count;
        std::vector<std::pair<int, std::string>> entries;
    };
    const std::string lf = "\n", crlf = "\r\n";
    const Case cases[] = {
        {"three lines", line_one + lf + line_two + lf + line_three + lf, 3,
         {{1, fen_one}, {2, fen_two}, {3, fen_three}, {7, fen_three}, {0, fen_one}}},
        {"no final line feed", line_one + lf + line_two + lf + line_three, 3, {{3, fen_three}, {4, fen_three}}},
        {"CR LF", line_one + crlf + line_two + crlf + line_three + crlf, 3,
         {{1, fen_one}, {2, fen_two}, {3, fen_three}}},
        {"empty lines skipped", lf + line_one + lf + lf + crlf + "  \t" + lf + line_two + crlf + line_three, 3,
         {{1, fen_one}, {2, fen_two}, {3, fen_three}}},
        {"a line that is no position", line_one + lf + "not a position" + lf + line_three + lf, 3,
         {{2, start_fen}, {3, fen_three}}},
        {"a bad placement", line_one + lf + "rnbqkbnr/pppppppp/9 w KQkq -" + lf, 2, {{2, start_fen}, {1, fen_one}}},
        {"three words", "8/8/8/4k3/8/8/8/4K3 w -" + lf, 1, {{1, start_fen}}},
        {"empty file", "", 0, {{1, start_fen}, {2, start_fen}}},
        {"only empty lines", lf + crlf + lf, 0, {{1, start_fen}}},
    };
    for (const Case& c : cases) {
        GuiBook book;
        book.load(write("suite.epd", c.text));
        EXPECT_EQ(book.count(), c.count) << c.name;
        for (const auto& [n, fen] : c.entries) {
            m_position.set_fen(game_three);
            book.setup(m_position, n);
            EXPECT_EQ(m_position.fen(), fen) << c.name << ", entry " << n;
        }
        book.setup(m_position, 1);
        const std::string first = m_position.fen();
        m_position.set_fen(game_three);
        book.setup_first(m_position);
        EXPECT_EQ(m_position.fen(), first) << c.name;
    }
}

TEST_F(GuiBookTest, RandomChoiceDrawsEveryEntry)
{
    m_book.load(write("three.pgn", three_games));
    std::set<std::string> seen;
    for (int draw = 0; draw < 200; ++draw) {
        m_book.setup_random(m_position);
        const std::string fen = m_position.fen();
        ASSERT_TRUE(fen == game_one || fen == game_two || fen == game_three) << fen;
        seen.insert(fen);
        m_book.setup_again(m_position);
        EXPECT_EQ(m_position.fen(), fen) << "the drawn opening is repeated";
    }
    EXPECT_EQ(seen.size(), 3u);
}
