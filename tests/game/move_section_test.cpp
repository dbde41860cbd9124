#include "game/move_section.h"
#include "game/pgn_tokenizer.h"

#include "tests/game/pgn_test_files.h"

#include <gtest/gtest.h>

#include <stdexcept>

namespace {

MoveSection read(const std::string& movetext, std::int32_t colour = colour_white, std::int32_t number = 1)
{
    MoveSection section;
    section.set_start_colour(colour);
    section.set_start_number(number);
    const auto tokens = pgn_tokenize(movetext);
    std::size_t index = 0;
    section.load(tokens, index, -1);
    return section;
}

// Each entry as "id:pid:colour:number:text" with its children, e.g. "1:0:W1:e4[2]".
std::string describe(const MoveSection& section)
{
    std::string out;
    for (std::size_t i = 0; i < section.size(); ++i) {
        const MoveSectionEntry& e = section.at(i);
        if (!out.empty())
            out += ' ';
        out += std::to_string(e.id()) + ":" + std::to_string(e.pid()) + ":";
        switch (e.type()) {
        case MoveSectionEntryType::start_game: out += "S"; break;
        case MoveSectionEntryType::end_game: out += "E" + e.result(); break;
        case MoveSectionEntryType::variation_start: out += "("; break;
        case MoveSectionEntryType::variation_end: out += ")"; break;
        case MoveSectionEntryType::move:
            out += (e.colour() == colour_white ? "W" : "B") + std::to_string(e.number()) + e.san();
            break;
        }
        if (e.child_count() > 0) {
            out += '[';
            for (std::size_t k = 0; k < e.child_count(); ++k)
                out += (k ? "," : "") + std::to_string(e.child(k));
            out += ']';
        }
    }
    return out;
}

struct SectionCase {
    std::string movetext;
    std::int32_t colour;
    std::int32_t number;
    std::string entries;
};

void PrintTo(const SectionCase& c, std::ostream* out)
{
    *out << pgn_test::printable(c.movetext);
}

class LoadCases : public testing::TestWithParam<SectionCase> {};

TEST_P(LoadCases, LinkAndNumberTheEntries)
{
    const SectionCase& c = GetParam();
    EXPECT_EQ(describe(read(c.movetext, c.colour, c.number)), c.entries) << c.movetext;
}

INSTANTIATE_TEST_SUITE_P(
    Movetext, LoadCases,
    testing::Values(
        SectionCase{"1. e4 e5 2. Nf3 *", 1, 1, "0:0:S[1] 1:0:W1e4[2] 2:1:B1e5[3] 3:2:W2Nf3"},
        SectionCase{"1. e4 e5 2. Nf3 1-0", 1, 1, "0:0:S[1] 1:0:W1e4[2] 2:1:B1e5[3] 3:2:W2Nf3[4] 4:3:E1-0"},
        SectionCase{"*", 1, 1, "0:0:S[1] 1:0:E*"},
        SectionCase{"1. e4 e5 (1... c5) 2. Nf3", 1, 1,
                    "0:0:S[1] 1:0:W1e4[2,4] 2:1:B1e5[6] 3:2:( 4:1:B1c5 5:2:) 6:2:W2Nf3"},
        SectionCase{"1. e4 (1. d4) e5", 1, 1, "0:0:S[1,3] 1:0:W1e4[5] 2:1:( 3:0:W1d4 4:1:) 5:1:B1e5"},
        SectionCase{"e5 Nf3", 0, 20, "0:0:S[1] 1:0:B20e5[2] 2:1:W21Nf3"},
        // Numbers in the text count only for a first white move.
        SectionCase{"12. e4 e5 7. Nf3", 1, 1, "0:0:S[1] 1:0:W12e4[2] 2:1:B12e5[3] 3:2:W13Nf3"},
        SectionCase{"1. e4 e5 (1... c5 2. Nf3 (2. c3 d5) d6) 2. Nf3 0-1", 1, 1,
                    "0:0:S[1] 1:0:W1e4[2,4] 2:1:B1e5[12] 3:2:( 4:1:B1c5[5,7] 5:4:W2Nf3[10] 6:5:( 7:4:W2c3[8] "
                    "8:7:B2d5 9:5:) 10:5:B2d6 11:2:) 12:2:W2Nf3[13] 13:12:E0-1"},
        // A stray ")" at the top level is passed over; the moves around it stay.
        SectionCase{"1. e4 ) e5 2. Nf3 *", 1, 1, "0:0:S[1] 1:0:W1e4[2] 2:1:B1e5[3] 3:2:W2Nf3"},
        // A variation left open at the end keeps what it read, linked once.
        SectionCase{"1. e4 e5 (1... c5 2. Nf3", 1, 1, "0:0:S[1] 1:0:W1e4[2,4] 2:1:B1e5 3:2:( 4:1:B1c5[5] 5:4:W2Nf3"},
        // A result inside a variation ends the game there; it follows the main line.
        SectionCase{"1. e4 e5 (1... c5 1-0) 2. Nf3", 1, 1, "0:0:S[1] 1:0:W1e4[2,4] 2:1:B1e5[5] 3:2:( 4:1:B1c5 5:2:E1-0"},
        SectionCase{"1. e4 (1. d4 d5 0-1", 1, 1, "0:0:S[1,3] 1:0:W1e4[5] 2:1:( 3:0:W1d4[4] 4:3:B1d5 5:1:E0-1"}));

TEST(MoveSection, VariationBeforeAnyMoveFails)
{
    try {
        read("( e4 ) d4");
        FAIL() << "no error";
    } catch (const std::logic_error& error) {
        EXPECT_STREQ(error.what(), "MoveSection::load invalid subvariation");
    }
}

TEST(MoveSection, AnnotationsLandOnTheLastEntry)
{
    const MoveSection section = read("{before} 1. e4 $1 $2 {one} {} {two} e5 ( {inside} 1... c5)");
    EXPECT_EQ(section.at(0).comment(), "before");
    EXPECT_EQ(section.at(1).nag(), "$2");
    EXPECT_EQ(section.at(1).comment(), "one two");
    EXPECT_EQ(section.at(3).comment(), "inside");
    EXPECT_EQ(section.at(3).type(), MoveSectionEntryType::variation_start);
}

TEST(MoveSection, HugeMoveNumberIsReportedWithItsPlace)
{
    const std::pair<const char*, const char*> cases[] = {
        {"99999999999. e4", "MoveSection::load   move number 99999999999 too large, before the first move"},
        {"1. e4 e5 2. Nf3 (2. Bc4 2147483648. Nf6)",
         "MoveSection::load   move number 2147483648 too large, after 2.Bc4"},
        {"1. e4 e5 123456789012345678901234567890. Nf3",
         "MoveSection::load   move number 123456789012345678901234... too large, after 1...e5"},
    };
    for (const auto& [movetext, message] : cases) {
        try {
            read(movetext);
            ADD_FAILURE() << movetext << " was read";
        } catch (const std::logic_error& error) {
            EXPECT_STREQ(error.what(), message);
        }
    }
}

TEST(MoveSection, LargestMoveNumberDoesNotOverflow)
{
    const MoveSection section = read("2147483647. e4 e5 Nf3");
    EXPECT_EQ(section.at(3).number(), 2147483647);
}

TEST(MoveSection, PgnOfTheWorkedExample)
{
    EXPECT_EQ(read("1. e4 (1. d4) e5").pgn(), "1.e4 (1.d4) 1...e5\n");
    EXPECT_EQ(read("{c} 1. e4 {good} e5 2. Nf3 1-0").pgn(), "{c}\n1.e4 {good} 1...e5 2.Nf3 1-0\n");
}

TEST(MoveSection, DumpListsEveryEntry)
{
    const std::string dump = read("1. e4 e5 (1... c5) *").dump();
    EXPECT_EQ(dump,
              "id   0  pid   0  start_game  1.\t      \n"
              "id   1  pid   0     W  1.e4\t      \tchildren{2,4}\n"
              "id   2  pid   1     B  1.e5\t      \n"
              "id   3  pid   2  (  \t      \n"
              "id   4  pid   1     B  1.c5\t      \n"
              "id   5  pid   2  )  \t      \n");
}

struct CommandCase {
    std::string comment;
    std::string kept;
};

void PrintTo(const CommandCase& c, std::ostream* out)
{
    *out << pgn_test::printable(c.comment);
}

class RemoveCommandCases : public testing::TestWithParam<CommandCase> {};

TEST_P(RemoveCommandCases, StripEngineInformation)
{
    MoveSectionEntry entry;
    entry.set_comment(GetParam().comment);
    entry.remove_commands();
    EXPECT_EQ(entry.comment(), GetParam().kept);
}

INSTANTIATE_TEST_SUITE_P(
    Comments, RemoveCommandCases,
    testing::Values(
        CommandCase{"good [%eval 0.25] move [%clk 0:01:00]", "good  move"},
        CommandCase{"[%eval 0.25] [%emt 0:00:05]", ""},
        CommandCase{"a [%cmd \"x]y\"] b", "a  b"},
        CommandCase{"line\nbreak", "linebreak"},
        CommandCase{"keep [this] one", "keep [this] one"},
        CommandCase{"end [", "end ["},
        CommandCase{"x [%a [nested] y] z", "x  y] z"},
        CommandCase{"note;\t ", "note"},
        CommandCase{"", ""}));

TEST(MoveSectionEntry, ChildOutsideTheListIsMinusOne)
{
    MoveSectionEntry entry;
    entry.add_child(4);
    entry.add_child(7);
    EXPECT_EQ(entry.child(1), 7);
    EXPECT_EQ(entry.child(2), -1);
    entry.remove_child(4);
    entry.remove_child(9);
    EXPECT_EQ(entry.children(), std::vector<std::int32_t>{7});
}

}
