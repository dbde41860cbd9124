#include "game/pgn_tokenizer.h"

#include "tests/game/pgn_test_files.h"

#include <gtest/gtest.h>

namespace {

std::string name_of(PgnTokenType type)
{
    switch (type) {
    case PgnTokenType::tag_open: return "[";
    case PgnTokenType::tag_close: return "]";
    case PgnTokenType::tag_name: return "name";
    case PgnTokenType::tag_value: return "value";
    case PgnTokenType::move_number: return "num";
    case PgnTokenType::san_move: return "san";
    case PgnTokenType::dot: return ".";
    case PgnTokenType::comment_open: return "{";
    case PgnTokenType::comment_close: return "}";
    case PgnTokenType::comment_text: return "text";
    case PgnTokenType::variation_open: return "(";
    case PgnTokenType::variation_close: return ")";
    case PgnTokenType::nag: return "nag";
    case PgnTokenType::result: return "result";
    }
    return "?";
}

// Tokens in a compact form: one-character tokens as themselves, others as
// kind:text, separated by "|".
std::string describe(const std::vector<PgnToken>& tokens)
{
    std::string out;
    for (const PgnToken& token : tokens) {
        if (!out.empty())
            out += '|';
        const std::string kind = name_of(token.type);
        out += kind.size() == 1 ? kind : kind + ":" + token.text;
    }
    return out;
}

struct TokenCase {
    std::string input;
    std::string tokens;
};

void PrintTo(const TokenCase& c, std::ostream* out)
{
    *out << pgn_test::printable(c.input);
}

class TokenizeCases : public testing::TestWithParam<TokenCase> {};

TEST_P(TokenizeCases, GiveTheExpectedTokens)
{
    EXPECT_EQ(describe(pgn_tokenize(GetParam().input)), GetParam().tokens) << GetParam().input;
}

INSTANTIATE_TEST_SUITE_P(
    Movetext, TokenizeCases,
    testing::Values(
        TokenCase{"1. e4 e5 2. Nf3 *", "num:1|.|san:e4|san:e5|num:2|.|san:Nf3|result:*"},
        TokenCase{"1... e5", "num:1|.|.|.|san:e5"},
        TokenCase{"e4!? $1 $", "san:e4|nag:$1|nag:$"},
        TokenCase{"O-O-O+ exd8=Q#", "san:O-O-O+|san:exd8=Q#"},
        TokenCase{"1-0 {after}", "result:1-0"},
        TokenCase{"e4 1/2-1/2", "san:e4|result:1/2-1/2"},
        TokenCase{"1/2", "num:1|num:2"},
        TokenCase{"0-1 e4", "result:0-1"},
        TokenCase{"0-0 0-0-0", "num:0|san:-0|num:0|san:-0-0"},
        TokenCase{"1-1 1/2-0", "num:1|san:-1|num:1|num:2|san:-0"},
        TokenCase{"{ok} <skip> 2. d4", "{|text:ok|}|{|text:skip> 2. d4"},
        TokenCase{"e4 > e5", "san:e4|}|san:e5"},
        TokenCase{"; note e4", "san:note|san:e4"},
        TokenCase{"% e4\ne5", "san:e4|san:e5"},
        TokenCase{"", ""},
        TokenCase{"{", "{|text:"},
        TokenCase{"e4 {a\r\nb} (e5 $12) d4", "san:e4|{|text:a b|}|(|san:e5|nag:$12|)|san:d4"},
        // A line break after a blank and before a command is the writer's own
        // and vanishes; every other line break reads as a blank.
        TokenCase{"{ok \n[%eval 0.2]}", "{|text:ok [%eval 0.2]|}"},
        TokenCase{"{ok \r\n[%eval 0.2]}", "{|text:ok [%eval 0.2]|}"},
        TokenCase{"{ok\n[%eval 0.2]}", "{|text:ok [%eval 0.2]|}"},
        TokenCase{"{ok \n[eval]}", "{|text:ok  [eval]|}"},
        TokenCase{"{ok \n\n[%eval]}", "{|text:ok   [%eval]|}"},
        TokenCase{"{ok \n[%}", "{|text:ok [%|}"},
        TokenCase{"{\n[%eval]}", "{|text: [%eval]|}"},
        TokenCase{"e4\xC3\xA9 e5", "san:e4|san:e5"},
        TokenCase{"12.Nf3", "num:12|.|san:Nf3"}));

INSTANTIATE_TEST_SUITE_P(
    Tags, TokenizeCases,
    testing::Values(
        TokenCase{"[Event \"Club\"]", "[|name:Event|value:Club|]"},
        TokenCase{"[ Event \"Club\"]", "[|name:Event|value:Club|]"},
        TokenCase{"[Event \"\"]", "[|name:Event|value:|]"},
        TokenCase{"[Event \"  Club\"]", "[|name:Event|value:Club|]"},
        TokenCase{"[Event \"say \\\"hi\\\"\"]", "[|name:Event|value:say \\\"hi\\\"|]"},
        TokenCase{"[Event \"open", "[|name:Event|value:open"},
        TokenCase{"[Event \"a\"]\n[Site \"b\"]\n\n1. e4 *",
                  "[|name:Event|value:a|]|[|name:Site|value:b|]|num:1|.|san:e4|result:*"},
        TokenCase{"[Event \"x*y\"] *", "[|name:Event|value:x*y|]|result:*"}));

TEST(PgnTokenizer, KeepsLongCommentsAndTagValuesUpToTheirLimits)
{
    const auto comment = pgn_tokenize("{" + std::string(300000, 'c') + "}");
    ASSERT_EQ(comment.size(), 3u);
    EXPECT_EQ(comment[1].text, std::string(300000, 'c'));
    for (const std::size_t length : {std::size_t{3000}, std::size_t{4096}, std::size_t{5000}}) {
        const auto tag = pgn_tokenize("[Event \"" + std::string(length, 'v') + "\"]");
        ASSERT_EQ(tag.size(), 4u);
        EXPECT_EQ(tag[2].text, std::string(std::min<std::size_t>(length, 4096), 'v'));
    }
}

struct CleanCase {
    std::string input;
    std::uint32_t max;
    std::string cleaned;
};

void PrintTo(const CleanCase& c, std::ostream* out)
{
    *out << pgn_test::printable(c.input);
}

class CleanCases : public testing::TestWithParam<CleanCase> {};

TEST_P(CleanCases, KeepValidTextAndMarkBrokenBytes)
{
    EXPECT_EQ(pgn_clean_text(GetParam().input, GetParam().max), GetParam().cleaned);
}

INSTANTIATE_TEST_SUITE_P(
    Cleaning, CleanCases,
    testing::Values(
        CleanCase{"a\tb\nc\rd", 100, "a b cd"},
        CleanCase{"caf\xC3\xA9", 100, "caf\xC3\xA9"},
        CleanCase{"\xE2\x82\xAC and \xF0\x9F\x98\x80", 100, "\xE2\x82\xAC and \xF0\x9F\x98\x80"},
        // A cut inside a sequence leaves one "?" per byte of it.
        CleanCase{"ab\xE2\x82\xAC", 4, "ab??"},
        CleanCase{"\xC3", 10, "?"},
        CleanCase{"\x80\xBF", 10, "??"},
        CleanCase{"\xE2\x28\xA1", 10, "?(?"},
        CleanCase{"\xFF\xFE", 10, "??"},
        // Only the pattern is checked: overlong forms pass unchanged.
        CleanCase{"\xC0\xAF", 10, "\xC0\xAF"},
        CleanCase{"\x01x", 10, "\x01x"},
        CleanCase{"abcdef", 3, "abc"}));

TEST(PgnTokenizer, SanCharactersAreAsciiOnly)
{
    std::string accepted;
    for (int c = 0; c < 256; ++c)
        if (pgn_is_san_char(static_cast<unsigned char>(c)))
            accepted += static_cast<char>(c);
    EXPECT_EQ(accepted, "#+-0123456789:=ABCDEFGHIJKLMNOPQRSTUVWXYZ_abcdefghijklmnopqrstuvwxyz");
}

TEST(PgnTokenizer, ScannersReportTheLastByteTheyConsumed)
{
    std::size_t pos = 1;
    EXPECT_EQ(pgn_read_nag("$12 x", pos), "$12");
    EXPECT_EQ(pos, 2u);
    pos = 1;
    EXPECT_EQ(pgn_read_nag("$ x", pos), "$");
    EXPECT_EQ(pos, 0u);
    pos = 1;
    EXPECT_EQ(pgn_read_comment("{abc}", pos), "abc");
    EXPECT_EQ(pos, 3u);
    pos = 0;
    EXPECT_EQ(pgn_read_san("Nf3+ e5", pos), "Nf3+");
    EXPECT_EQ(pos, 3u);
    pos = 6;
    EXPECT_EQ(pgn_read_tag_value("[Event \"x\\\"y\"]", pos), "x\\\"y");
    EXPECT_EQ(pos, 12u);
    EXPECT_EQ(pgn_read_word("  Event \"x\"", 0), "Event");
    EXPECT_EQ(pgn_read_number("123a", 0), "123");
}

}
