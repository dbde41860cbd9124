#include "game/game_tree.h"
#include "game/movetext_wrap.h"
#include "tests/game/tree_entries.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace {

using torvane_test::add;

TEST(MovetextWriter, PlainGameWithOffsets)
{
    GameTree tree;
    const auto e4 = add(tree, 0, "e4");
    const auto e5 = add(tree, e4, "e5");
    const auto nf3 = add(tree, e5, "Nf3");
    EXPECT_EQ(tree.movetext(), "1.e4 e5 2.Nf3 *");
    EXPECT_EQ(tree.entry(e4).text_start(), 2);
    EXPECT_EQ(tree.entry(e4).text_end(), 4);
    EXPECT_EQ(tree.entry(e5).text_start(), 5);
    EXPECT_EQ(tree.entry(e5).text_end(), 7);
    EXPECT_EQ(tree.entry(nf3).text_start(), 10);
    EXPECT_EQ(tree.entry(nf3).text_end(), 13);
}

// The worked examples, built in the order a game is played.
struct ExampleCase {
    std::string name;
    std::string expected;
    void (*build)(GameTree&);
};

void PrintTo(const ExampleCase& c, std::ostream* out)
{
    *out << c.name;
}

class WorkedExamples : public testing::TestWithParam<ExampleCase> {};

TEST_P(WorkedExamples, AreWrittenExactly)
{
    GameTree tree;
    GetParam().build(tree);
    EXPECT_EQ(tree.movetext(), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Movetext, WorkedExamples,
    testing::Values(
        ExampleCase{"CommentedMove", "1.e4 {best} 1...e5 2.Nf3 *",
                    [](GameTree& t) { add(t, add(t, add(t, 0, "e4", "best"), "e5"), "Nf3"); }},
        ExampleCase{"BlackVariation", "1.e4 e5 ( 1... c5) 2.Nf3 *",
                    [](GameTree& t) {
                        const auto e4 = add(t, 0, "e4");
                        add(t, add(t, e4, "e5"), "Nf3");
                        add(t, e4, "c5");
                    }},
        ExampleCase{"BlackVariationAfterComment", "1.e4 {best} 1...e5 ( 1...c5) 2.Nf3 *",
                    [](GameTree& t) {
                        const auto e4 = add(t, 0, "e4", "best");
                        add(t, add(t, e4, "e5"), "Nf3");
                        add(t, e4, "c5");
                    }},
        ExampleCase{"WhiteVariation", "1.e4 e5 2.Nf3 ( 2.Bc4) Nc6 *",
                    [](GameTree& t) {
                        const auto e5 = add(t, add(t, 0, "e4"), "e5");
                        add(t, add(t, e5, "Nf3"), "Nc6");
                        add(t, e5, "Bc4");
                    }},
        ExampleCase{"FinishedGame", "1.f3 e5 2.g4 Qh4# $1 0-1",
                    [](GameTree& t) {
                        const auto qh4 = add(t, add(t, add(t, add(t, 0, "f3"), "e5"), "g4"), "Qh4#", "", "$1");
                        MoveSectionEntry end;
                        end.set_result("0-1");
                        t.add_child(qh4, end);
                    }},
        // Words with the result go before it, where a reader still reads them.
        ExampleCase{"ResultWithComment", "1.e4 {White mates} 1-0",
                    [](GameTree& t) {
                        MoveSectionEntry end;
                        end.set_result("1-0 {White mates}");
                        t.add_child(add(t, 0, "e4"), end);
                    }},
        // A result is written once, at the end, whatever entry holds it.
        ExampleCase{"ResultInAVariationIsNotWritten", "1.e4 e5 ( 1... c5) *",
                    [](GameTree& t) {
                        const auto e4 = add(t, 0, "e4");
                        add(t, e4, "e5");
                        MoveSectionEntry end;
                        end.set_result("0-1");
                        t.add_child(add(t, e4, "c5"), end);
                    }},
        ExampleCase{"VariationsBeforeTheResult", "1.e4 e5 ( 1... c5) 1/2-1/2",
                    [](GameTree& t) {
                        const auto e4 = add(t, 0, "e4");
                        MoveSectionEntry end;
                        end.set_result("1/2-1/2");
                        t.add_child(add(t, e4, "e5"), end);
                        add(t, e4, "c5");
                    }},
        ExampleCase{"BlackStarts", "12... Nf6 13.e4 *",
                    [](GameTree& t) {
                        t.set_start_colour(colour_black);
                        t.set_start_number(12);
                        add(t, add(t, 0, "Nf6"), "e4");
                    }},
        ExampleCase{"BlackStartsAfterRootComment", "{c} \n 12...Nf6 13.e4 *",
                    [](GameTree& t) {
                        t.set_start_colour(colour_black);
                        t.set_start_number(12);
                        t.entry(0).set_comment("c");
                        add(t, add(t, 0, "Nf6"), "e4");
                    }},
        ExampleCase{"RootComment", "{c} \n1.e4 e5 *",
                    [](GameTree& t) {
                        t.entry(0).set_comment("c");
                        add(t, add(t, 0, "e4"), "e5");
                    }},
        ExampleCase{"NoMoves", " *", [](GameTree&) {}},
        // Alternatives to the first move are written, not lost.
        ExampleCase{"FirstMoveAlternative", "1.e4 ( 1.d4 d5) ( 1.c4) e5 *",
                    [](GameTree& t) {
                        add(t, add(t, 0, "e4"), "e5");
                        add(t, add(t, 0, "d4"), "d5");
                        add(t, 0, "c4");
                    }},
        ExampleCase{"BlackFirstMoveAlternative", "12... Nf6 ( 12... d5) 13.e4 *",
                    [](GameTree& t) {
                        t.set_start_colour(colour_black);
                        t.set_start_number(12);
                        add(t, add(t, 0, "Nf6"), "e4");
                        add(t, 0, "d5");
                    }},
        ExampleCase{"NestedVariations", "1.e4 e5 ( 1... c5 2.Nf3 ( 2.c3 d5) d6) 2.Nf3 *",
                    [](GameTree& t) {
                        const auto e4 = add(t, 0, "e4");
                        add(t, add(t, e4, "e5"), "Nf3");
                        const auto c5 = add(t, e4, "c5");
                        add(t, add(t, c5, "Nf3"), "d6");
                        add(t, add(t, c5, "c3"), "d5");
                    }}));

TEST(MovetextWriter, BlackStartRecordsTheTextBase)
{
    GameTree tree;
    tree.set_start_colour(colour_black);
    tree.set_start_number(12);
    const auto nf6 = add(tree, 0, "Nf6");
    tree.movetext();
    EXPECT_EQ(tree.text_base(), 5);
    EXPECT_EQ(tree.entry(nf6).text_start(), 6);
}

struct WrapCase {
    std::string name;
    std::string input;
    std::string expected;
};

void PrintTo(const WrapCase& c, std::ostream* out)
{
    *out << c.name;
}

class WrapCases : public testing::TestWithParam<WrapCase> {};

TEST_P(WrapCases, BreakAtTheRightPlace)
{
    EXPECT_EQ(wrap_movetext(GetParam().input), GetParam().expected);
}

const std::string a39 = std::string(39, 'a');
const std::string b40 = std::string(40, 'b');
const std::string c79 = std::string(79, 'c');
const std::string d80 = std::string(80, 'd');

INSTANTIATE_TEST_SUITE_P(
    Lines, WrapCases,
    testing::Values(
        WrapCase{"Exactly80", a39 + " " + b40, a39 + " " + b40},
        WrapCase{"Of81", a39 + " " + b40 + "x", a39 + "\n" + b40 + "x"},
        WrapCase{"BlankAtColumn80", d80 + " e", d80 + "\ne"},
        WrapCase{"NoBlank", std::string(100, 'z'), std::string(100, 'z')},
        WrapCase{"FirstBlankAfter80", std::string(90, 'z') + " y " + d80,
                 std::string(90, 'z') + "\ny\n" + d80},
        WrapCase{"CommandsStayWhole", c79 + " {[%eval 0.25] [%depth 20]}",
                 c79 + "\n{[%eval 0.25] [%depth 20]}"},
        WrapCase{"BreakBeforeCommand", std::string(70, 'c') + " {x [%eval 0.25] [%depth 20]}",
                 std::string(70, 'c') + " {x \n[%eval 0.25] [%depth 20]}"},
        WrapCase{"LongCommandUnbroken", "a [%eval " + std::string(100, '1') + " 2]",
                 "a \n[%eval " + std::string(100, '1') + " 2]"},
        WrapCase{"BlankBeforeCommandAtColumn80", d80 + " [%eval 0.25] x", d80 + "\n[%eval 0.25] x"},
        WrapCase{"TwoBlanksBeforeCommand", std::string(78, 'd') + "  [%eval 0.25] x",
                 std::string(78, 'd') + "  \n[%eval 0.25] x"},
        WrapCase{"NoBreakBeforeCommandWithoutBlank", c79 + "{[%eval 0.25]} x", c79 + "{[%eval 0.25]}\nx"},
        WrapCase{"CommentWords", std::string(75, 'c') + " {a long comment} x",
                 std::string(75, 'c') + " {a\nlong comment} x"},
        WrapCase{"ManyLines", std::string(2, 'x') + " " + d80 + " " + d80 + " y",
                 std::string(2, 'x') + "\n" + d80 + "\n" + d80 + "\ny"}));

std::string without_blanks(std::string text)
{
    std::erase(text, ' ');
    std::erase(text, '\n');
    return text;
}

// A game long enough to wrap, with engine information in the comments.
GameTree annotated_game(int moves)
{
    GameTree tree;
    std::uint64_t last = 0;
    const char* sans[] = {"Nf3", "Nf6", "Ng1", "Ng8"};
    for (int i = 0; i < moves; ++i) {
        const std::string comment = i % 3 == 0 ? "[%eval 0." + std::to_string(i) + "] [%depth 20]"
                                                : (i % 3 == 1 ? "ok [%emt 0:00:0" + std::to_string(i % 10) + "]" : "");
        last = add(tree, last, sans[i % 4], comment, i % 7 == 0 ? "$1" : "");
        if (i % 11 == 5)
            add(tree, tree.entry(last).pid(), "a3");
    }
    return tree;
}

TEST(MovetextWriter, OffsetsStayRightAfterBreaksBeforeCommands)
{
    GameTree tree = annotated_game(120);
    const std::string text = tree.movetext();
    ASSERT_NE(text.find("\n[%"), std::string::npos) << text;
    for (std::uint64_t id = 1; id < tree.next_id(); ++id) {
        const MoveSectionEntry& e = tree.entry(id);
        const auto start = static_cast<std::size_t>(e.text_start());
        const auto end = static_cast<std::size_t>(e.text_end());
        ASSERT_LE(end, text.size());
        EXPECT_EQ(text.substr(start, e.san().size()), e.san()) << "entry " << id;
        if (!e.comment().empty()) {
            EXPECT_EQ(text[end - 1], '}') << "entry " << id;
        }
        EXPECT_EQ(without_blanks(text.substr(start, end - start)), without_blanks(e.pgn())) << "entry " << id;
    }
}

TEST(MovetextWriter, LinesStayWithinEightyColumnsWhereBreaksAllow)
{
    GameTree tree = annotated_game(300);
    const std::string text = tree.movetext();
    std::size_t begin = 0;
    while (begin < text.size()) {
        std::size_t end = text.find('\n', begin);
        if (end == std::string::npos)
            end = text.size();
        EXPECT_LE(end - begin, 80u) << text.substr(begin, end - begin);
        begin = end + 1;
    }
}

TEST(MovetextWriter, WritingTwiceGivesTheSameTextAndOffsets)
{
    GameTree tree = annotated_game(60);
    const std::string first = tree.movetext();
    std::vector<std::pair<std::int64_t, std::int64_t>> offsets;
    for (std::uint64_t id = 0; id < tree.next_id(); ++id)
        offsets.emplace_back(tree.entry(id).text_start(), tree.entry(id).text_end());
    EXPECT_EQ(tree.movetext(), first);
    for (std::uint64_t id = 0; id < tree.next_id(); ++id)
        EXPECT_EQ(std::make_pair(tree.entry(id).text_start(), tree.entry(id).text_end()), offsets[id]);
}

TEST(MovetextWriter, DeeplyNestedVariationsAreWritten)
{
    GameTree tree;
    std::uint64_t line = add(tree, 0, "e4");
    for (int depth = 0; depth < 100000; ++depth) {
        add(tree, line, "Nf3");
        line = add(tree, line, "Nc3");
    }
    const std::string text = tree.movetext();
    EXPECT_EQ(std::count(text.begin(), text.end(), '('), 100000);
    EXPECT_EQ(std::count(text.begin(), text.end(), ')'), 100000);
}

}
