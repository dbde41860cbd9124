#include <gtest/gtest.h>

#include <ostream>
#include <stdexcept>
#include <string>
#include <vector>

#include "game/game.h"
#include "game/pgn_tokenizer.h"
#include "tests/game/default_tags.h"

namespace {

using torvane_test::default_tags;

std::vector<PgnToken> tokens_of(std::string text)
{
    return pgn_tokenize(text);
}

TEST(TagHeader, NewHeaderWritesTheSevenTagRoster)
{
    const Game game;
    EXPECT_EQ(game.tags_pgn(), default_tags);
    EXPECT_EQ(game.m_start_fen, Game::standard_start_fen);
    EXPECT_EQ(game.m_start_colour, 1);
    EXPECT_EQ(game.m_start_move_number, 1);
}

TEST(TagHeader, TagsKeepTheirFirstPlace)
{
    Game game;
    game.set_tag("White", "Anna");
    game.set_tag("ECO", "B20");
    game.set_tag("ECO", "B21");
    EXPECT_EQ(game.tags_pgn(),
              "[Event \"?\"]\n[Site \"?\"]\n[Date \"????.??.??\"]\n[Round \"1\"]\n"
              "[White \"Anna\"]\n[Black \"?\"]\n[Result \"*\"]\n[ECO \"B21\"]\n");
    // A removed tag leaves no gap, and set again it goes last.
    game.set_tag("TimeControl", "40/600");
    game.remove_tag("ECO");
    game.remove_tag("Annotator");
    game.set_tag("ECO", "C20");
    EXPECT_EQ(game.tags_pgn(),
              "[Event \"?\"]\n[Site \"?\"]\n[Date \"????.??.??\"]\n[Round \"1\"]\n"
              "[White \"Anna\"]\n[Black \"?\"]\n[Result \"*\"]\n[TimeControl \"40/600\"]\n[ECO \"C20\"]\n");
}

TEST(TagHeader, MissingTagIsEmptyAndNotCreated)
{
    Game game;
    EXPECT_EQ(game.get_tag("Annotator"), "");
    EXPECT_FALSE(game.has_tag("Annotator"));
    EXPECT_EQ(game.tags_pgn(), default_tags);
}

struct FenCase {
    const char* fen;
    int colour;
    int move_number;
};

std::ostream& operator<<(std::ostream& out, const FenCase& c) { return out << c.fen; }

class FenTag : public testing::TestWithParam<FenCase> {};

TEST_P(FenTag, SetsTheStartFields)
{
    Game game;
    game.m_start_move_number = 5;
    game.set_tag("FEN", GetParam().fen);
    EXPECT_EQ(game.m_start_fen, GetParam().fen);
    EXPECT_EQ(game.m_start_colour, GetParam().colour);
    EXPECT_EQ(game.m_start_move_number, GetParam().move_number);
}

INSTANTIATE_TEST_SUITE_P(Fields, FenTag, testing::Values(
    FenCase{"4k3/8/8/8/8/8/8/4K3 b - - 0 37", 0, 37},
    FenCase{"4k3/8/8/8/8/8/8/4K3 w - -", 1, 5},
    FenCase{"4k3/8/8/8/8/8/8/4K3 W - - 0 9", 0, 9},
    FenCase{"4k3/8/8/8/8/8/8/4K3 w - - 0 x", 1, 0},
    FenCase{"4k3/8/8/8/8/8/8/4K3 w - - 3", 1, 5}));

TEST(TagHeader, TagsFromTokensStopAtTheMovetext)
{
    Game game;
    game.set_tags_from_tokens(tokens_of(
        "[Event \"Club\"]\n[FEN \"4k3/8/8/8/8/8/8/4K3 b - - 0 12\"]\n\n1. e4 [Site \"late\"] *"));
    EXPECT_EQ(game.get_tag("Event"), "Club");
    EXPECT_EQ(game.get_tag("Site"), "?");
    EXPECT_EQ(game.m_tag_order.size(), 8u);
    EXPECT_EQ(game.m_tag_order.back(), "FEN");
    EXPECT_EQ(game.m_start_colour, 0);
    EXPECT_EQ(game.m_start_move_number, 12);
}

TEST(TagHeader, RosterComesFirstWhateverTheOrderRead)
{
    Game game;
    game.set_tags_from_tokens(tokens_of("[ECO \"C20\"]\n[Black \"B\"]\n[White \"W\"]\n\n1. e4 *"));
    EXPECT_EQ(game.tags_pgn(),
              "[Event \"?\"]\n[Site \"?\"]\n[Date \"????.??.??\"]\n[Round \"1\"]\n"
              "[White \"W\"]\n[Black \"B\"]\n[Result \"*\"]\n[ECO \"C20\"]\n");
}

struct QuoteCase {
    const char* value;
    const char* written;
};

std::ostream& operator<<(std::ostream& out, const QuoteCase& c) { return out << c.value; }

class QuotedValue : public testing::TestWithParam<QuoteCase> {};

// A written value must come back whole through the tokenizer, which ends a
// value at a quote without a backslash and interprets no escapes.
TEST_P(QuotedValue, SurvivesWritingAndReading)
{
    Game game;
    game.set_tag("White", GetParam().value);
    const std::string text = game.tags_pgn();
    EXPECT_NE(text.find(std::string("[White \"") + GetParam().written + "\"]\n"), std::string::npos) << text;
    Game read;
    read.set_tags_from_tokens(tokens_of(text + "\n*"));
    EXPECT_EQ(read.tags_pgn(), text);
    EXPECT_EQ(read.get_tag("Black"), "?");
}

INSTANTIATE_TEST_SUITE_P(Values, QuotedValue, testing::Values(
    QuoteCase{"plain", "plain"},
    QuoteCase{"Deep \"Blue\" 2", "Deep \\\"Blue\\\" 2"},
    QuoteCase{"already \\\"escaped\\\"", "already \\\"escaped\\\""},
    QuoteCase{"back\\slash", "back\\slash"},
    QuoteCase{"ends in\\", "ends in\\ "}));

TEST(TagHeader, BareQuoteReadsBackAsTheEscapedForm)
{
    Game game;
    game.set_tag("White", "a\"b");
    Game read;
    read.set_tags_from_tokens(tokens_of(game.tags_pgn() + "\n*"));
    EXPECT_EQ(read.get_tag("White"), "a\\\"b");
    EXPECT_EQ(read.get_tag("Black"), "?");
}

TEST(TagHeader, ParsePgnReadsTagsWithoutTheTokenizer)
{
    const Game game("[White \"Ann\"]\n[FEN \"4k3/8/8/8/8/8/8/4K3 b - - 0 30\"]\n\n1... Kd7 *");
    EXPECT_EQ(game.m_tag_order, (std::vector<std::string>{"White", "FEN"}));
    EXPECT_EQ(game.m_start_colour, 0);
    EXPECT_EQ(game.m_start_move_number, 30);
}

TEST(TagHeader, ParsePgnKeepsLongValuesAndRefusesBrokenUtf8)
{
    // Values are kept up to 4096 bytes, and never cut inside a character.
    const std::string long_name = std::string(4095, 'x') + "\xC3\xA9";
    const Game cut("[White \"" + long_name + "\"]\n[Black \"J\xC3\xBCrgen\"]\n[Site \"" + std::string(3000, 's') + "\"]");
    EXPECT_EQ(cut.get_tag("White"), std::string(4095, 'x'));
    EXPECT_EQ(cut.get_tag("Site"), std::string(3000, 's'));
    EXPECT_EQ(cut.get_tag("Black"), "J\xC3\xBCrgen");
    Game broken;
    EXPECT_THROW(broken.parse_pgn("[Event \"ok\"]\n[White \"J\xFCrgen\"]"), std::logic_error);
    EXPECT_EQ(broken.get_tag("Event"), "ok");
}

}
