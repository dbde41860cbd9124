#include "engines/option.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <vector>
#include <ostream>

namespace {

using Choices = std::vector<std::string>;

struct OptionCase {
    const char* line;
    const char* name;
    const char* type;
    const char* default_value;
    const char* min;
    const char* max;
    Choices vars;
};

void PrintTo(const OptionCase& c, std::ostream* out) { *out << '"' << c.line << '"'; }

class OptionLines : public ::testing::TestWithParam<OptionCase> {};

TEST_P(OptionLines, Fields)
{
    const OptionCase& c = GetParam();
    Option option(c.line);
    EXPECT_EQ(option.get_name(), c.name);
    EXPECT_EQ(option.get_type(), c.type);
    EXPECT_EQ(option.get_default(), c.default_value);
    EXPECT_EQ(option.get_min(), c.min);
    EXPECT_EQ(option.get_max(), c.max);
    EXPECT_EQ(option.get_vars(), c.vars);
    EXPECT_EQ(option.get_value(), c.default_value) << "the value starts as the default";
    EXPECT_FALSE(option.get_changed());
}

INSTANTIATE_TEST_SUITE_P(
    Examples, OptionLines,
    ::testing::Values(
        OptionCase{"option name Hash type spin default 16 min 1 max 1024", "Hash", "spin", "16", "1", "1024", {}},
        OptionCase{"option name Clear Hash type button", "Clear Hash", "button", "", "", "", {}},
        OptionCase{"option name Book  \t File type string default my  book.bin", "Book File", "string",
                   "my book.bin", "", "", {}},
        OptionCase{"option name SyzygyPath type string default <empty>", "SyzygyPath", "string", "<empty>", "", "",
                   {}},
        OptionCase{"option name Path type string default", "Path", "string", "", "", "", {}},
        OptionCase{"option name A type check name B", "A B", "check", "", "", "", {}},
        OptionCase{"option name X type spin type check", "X", "check", "", "", "", {}},
        OptionCase{"option name type type check", "type", "check", "", "", "", {}},
        OptionCase{"option name X type spin default 1 min 0 max 10 foo bar", "X", "spin", "1", "0", "10 foo bar",
                   {}},
        OptionCase{"option name X type spin default 5 value 7", "X", "spin", "5", "", "", {}},
        OptionCase{"option", "", "", "", "", "", {}},
        OptionCase{"option name Style type combo default Normal var Very Solid var Normal var Risky", "Style",
                   "combo", "Normal", "", "", Choices{"Very Solid", "Normal", "Risky"}},
        OptionCase{"option name X type spin foo default 1", "X", "spin", "1", "", "", {}},
        OptionCase{"option name Use string type string", "Use", "string", "", "", "", {}},
        OptionCase{"option name xboard_memory type spin default 128 min 16 max 1024", "xboard_memory", "spin",
                   "128", "16", "1024", {}},
        OptionCase{"option name Ponder type check default false\r", "Ponder", "check", "false", "", "", {}}));

TEST(Option, LinesThatAreNoOptionAreRejected)
{
    for (const char* line : {"", "   ", "setoption name X value 1", "Option name X"}) {
        try {
            Option option(line);
            FAIL() << line;
        } catch (const std::runtime_error& e) {
            EXPECT_STREQ(e.what(), "Option:Option  argument not an option");
        }
    }
}

TEST(Option, SettersChangeOneFieldAndCopiesKeepTheMark)
{
    Option option("option name Hash type spin default 16 min 1 max 1024");
    option.set_value("64");
    EXPECT_FALSE(option.get_changed()) << "a value alone does not mark the option";
    option.set_changed(true);
    Option copy = option;
    EXPECT_TRUE(copy.get_changed());
    EXPECT_EQ(copy.get_value(), "64");
    EXPECT_EQ(copy.get_default(), "16");
    Option empty;
    EXPECT_EQ(empty.get_name(), "");
    EXPECT_FALSE(empty.get_changed());
    empty.add_var("a");
    empty.add_var("b c");
    EXPECT_EQ(empty.get_vars(), (Choices{"a", "b c"}));
}

TEST(Option, KeywordsAreTheTwelveWordsCaseSensitive)
{
    Choices keywords{"name", "type", "default", "min", "max", "var", "value", "check", "spin", "combo", "button", "string"};
    for (const std::string& word : keywords) {
        EXPECT_TRUE(Option::is_keyword(word)) << word;
        EXPECT_TRUE(Option().is_option_word(word)) << word;
    }
    for (const char* word : {"Max", "option", "", "names"}) {
        EXPECT_FALSE(Option::is_keyword(word)) << word;
    }
    for (const char* word : {"check", "spin", "combo", "button", "string", "max", "var"}) {
        EXPECT_TRUE(Option::is_type_word(word)) << word;
    }
    EXPECT_FALSE(Option::is_type_word("min"));
    EXPECT_FALSE(Option::is_type_word("name"));
}

}
