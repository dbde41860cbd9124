#include "game/game_tree.h"
#include "game/pgn_tokenizer.h"
#include "tests/game/read_movetext.h"
#include "tests/game/tree_entries.h"

#include <gtest/gtest.h>

#include <stdexcept>

namespace {

using torvane_test::add;

using pgn_test::game_tree_of;

TEST(GameTree, FreshTreeHoldsOnlyTheRoot)
{
    GameTree tree;
    EXPECT_EQ(tree.next_id(), 1u);
    EXPECT_EQ(tree.size(), 1u);
    EXPECT_EQ(tree.entry(0).type(), MoveSectionEntryType::start_game);
    EXPECT_EQ(tree.entry(0).colour(), colour_none);
    EXPECT_EQ(tree.entry(0).number(), -1);
    EXPECT_EQ(&tree.last_entry(), &tree.entry(0));
}

struct NumberCase {
    std::int32_t start_colour;
    std::int32_t start_number;
    std::int32_t first_colour, first_number;
    std::int32_t second_colour, second_number;
    std::int32_t third_colour, third_number;
};

void PrintTo(const NumberCase& c, std::ostream* out)
{
    *out << "start " << c.start_colour << " " << c.start_number;
}

class AddChildNumbers : public testing::TestWithParam<NumberCase> {};

TEST_P(AddChildNumbers, FollowTheSideToMove)
{
    const NumberCase& c = GetParam();
    GameTree tree;
    tree.set_start_colour(c.start_colour);
    tree.set_start_number(c.start_number);
    const auto first = add(tree, 0, "a");
    const auto second = add(tree, first, "b");
    const auto third = add(tree, second, "c");
    EXPECT_EQ(tree.entry(first).colour(), c.first_colour);
    EXPECT_EQ(tree.entry(first).number(), c.first_number);
    EXPECT_EQ(tree.entry(second).colour(), c.second_colour);
    EXPECT_EQ(tree.entry(second).number(), c.second_number);
    EXPECT_EQ(tree.entry(third).colour(), c.third_colour);
    EXPECT_EQ(tree.entry(third).number(), c.third_number);
}

INSTANTIATE_TEST_SUITE_P(Starts, AddChildNumbers,
                         testing::Values(NumberCase{1, 1, 1, 1, 0, 1, 1, 2}, NumberCase{0, 12, 0, 12, 1, 13, 0, 13},
                                         NumberCase{1, 0, 1, 0, 0, 1, 1, 2}, NumberCase{0, -3, 0, -3, 1, 2, 0, 2},
                                         NumberCase{0, 2147483647, 0, 2147483647, 1, 2147483647, 0, 2147483647}));

TEST(GameTree, SecondChildIsAVariation)
{
    GameTree tree;
    const auto e4 = add(tree, 0, "e4");
    const auto e5 = add(tree, e4, "e5");
    const auto c5 = add(tree, e4, "c5");
    EXPECT_EQ(e5 + 1, c5);
    EXPECT_EQ(tree.entry(e4).children(), (std::vector<std::int32_t>{2, 3}));
    EXPECT_EQ(tree.entry(c5).pid(), 1);
}

TEST(GameTree, AddChildUnderAnAbsentParentChangesNothing)
{
    GameTree tree;
    MoveSectionEntry entry;
    entry.set_san("e4");
    try {
        tree.add_child(5, entry);
        FAIL() << "no error";
    } catch (const std::logic_error& error) {
        EXPECT_STREQ(error.what(), "GameTree::add_child: invalid index");
    }
    EXPECT_EQ(tree.next_id(), 1u);
    EXPECT_EQ(entry.id(), 0);
}

TEST(GameTree, LoadSkipsVariationBracketsAndKeepsIds)
{
    GameTree tree = game_tree_of("1. e4 (1. d4) e5 (1... c5) 1-0");
    std::vector<std::uint64_t> ids;
    for (std::uint64_t id = 0; id < 20; ++id)
        if (tree.contains(id))
            ids.push_back(id);
    EXPECT_EQ(ids, (std::vector<std::uint64_t>{0, 1, 3, 5, 7, 9}));
    EXPECT_EQ(tree.next_id(), 10u);
    EXPECT_EQ(add(tree, 9, "x"), 10u);
}

TEST(GameTree, LoadWithoutVariationsLeavesNextIdOnePastTheCount)
{
    GameTree tree = game_tree_of("1. e4 e5 2. Nf3 Nc6 *");
    EXPECT_EQ(tree.size(), 5u);
    EXPECT_EQ(tree.next_id(), 6u);
    EXPECT_EQ(tree.last_entry().san(), "Nc6");
}

TEST(GameTree, RemoveEntryTakesTheWholeSubtree)
{
    GameTree tree;
    const auto e4 = add(tree, 0, "e4");
    const auto e5 = add(tree, e4, "e5");
    add(tree, e4, "c5");
    add(tree, e4, "e6");
    add(tree, e5, "Nf3");
    testing::internal::CaptureStderr();
    tree.remove_entry(e4);
    const std::string log = testing::internal::GetCapturedStderr();
    EXPECT_EQ(tree.size(), 1u);
    EXPECT_TRUE(tree.entry(0).children().empty());
    EXPECT_EQ(log,
              "GameTree::remove_entry(2)  c=5\n"
              "GameTree::remove_entry(1)  c=2\n"
              "GameTree::remove_entry(1)  c=3\n"
              "GameTree::remove_entry(1)  c=4\n");
}

TEST(GameTree, RemoveLeafAndRoot)
{
    GameTree tree;
    const auto e4 = add(tree, 0, "e4");
    const auto e5 = add(tree, e4, "e5");
    const auto c5 = add(tree, e4, "c5");
    tree.remove_entry(0);
    EXPECT_EQ(tree.size(), 4u);
    tree.remove_entry(e5);
    EXPECT_FALSE(tree.contains(e5));
    EXPECT_EQ(tree.entry(e4).children(), std::vector<std::int32_t>{static_cast<std::int32_t>(c5)});
    EXPECT_EQ(tree.next_id(), 4u);
}

TEST(GameTree, RemoveCommentsClearsEveryAnnotation)
{
    GameTree tree = game_tree_of("{start} 1. e4 $1 {good} e5 {fine} *");
    tree.remove_comments();
    ASSERT_EQ(tree.size(), 3u);
    for (std::uint64_t id = 0; id < tree.size(); ++id) {
        EXPECT_TRUE(tree.entry(id).comment().empty());
        EXPECT_TRUE(tree.entry(id).nag().empty());
    }
}

TEST(GameTree, LongMainLineIsRemovedWithoutDeepRecursion)
{
    GameTree tree;
    std::uint64_t last = 0;
    for (int i = 0; i < 200000; ++i)
        last = add(tree, last, "Nf3");
    testing::internal::CaptureStderr();
    tree.remove_entry(1);
    testing::internal::GetCapturedStderr();
    EXPECT_EQ(tree.size(), 1u);
}

}
