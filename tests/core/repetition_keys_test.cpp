#include "core/repetition_keys.h"

#include <gtest/gtest.h>

namespace {

const Move knight_move(Square(6), Square(21), normal_move, 2, 0);
const Move pawn_move(Square(12), Square(28), normal_move, 1, 0);
const Move capture(Square(21), Square(38), normal_move, 2, 9);

// 1.Nf3 Nf6 2.Ng1 Ng8 with start key 1 and the other positions 2, 3, 4.
RepetitionKeys after_knight_dance(int rounds)
{
    RepetitionKeys keys;
    key_list_init(keys);
    push_key_raw(keys, 1);
    for (int i = 0; i < rounds; ++i)
        for (std::uint64_t key : {2, 3, 4, 1})
            push_key(keys, knight_move, key);
    return keys;
}

TEST(RepetitionKeys, KnightDanceRepeatsTheStartPosition)
{
    const RepetitionKeys once = after_knight_dance(1);
    EXPECT_TRUE(repetition_count_reached(once, 2));
    EXPECT_FALSE(repetition_count_reached(once, 3));
    EXPECT_EQ(threefold_text(once), "*");

    const RepetitionKeys twice = after_knight_dance(2);
    EXPECT_TRUE(repetition_count_reached(twice, 2));
    EXPECT_TRUE(repetition_count_reached(twice, 3));
    EXPECT_EQ(threefold_text(twice), "1/2-1/2 {Draw by threefold repetition}");
}

TEST(RepetitionKeys, BarrierStopsTheSearch)
{
    RepetitionKeys keys = after_knight_dance(1);
    push_key(keys, pawn_move, 5);
    EXPECT_EQ(keys.size(), 7u);
    EXPECT_EQ(keys[5], 0u);
    for (std::uint64_t key : {6, 7, 8, 5})
        push_key(keys, knight_move, key);
    EXPECT_TRUE(repetition_count_reached(keys, 2));
    // The same key before the barrier does not count.
    push_key(keys, capture, 1);
    EXPECT_FALSE(repetition_count_reached(keys, 2));
}

TEST(RepetitionKeys, TakeBackRemovesKeyAndBarrier)
{
    RepetitionKeys keys = after_knight_dance(0);
    push_key(keys, pawn_move, 5);
    push_key(keys, knight_move, 6);
    pop_key(keys);
    EXPECT_EQ(keys, (RepetitionKeys{1, 0, 5}));
    pop_key(keys);
    EXPECT_EQ(keys, (RepetitionKeys{1}));
}

TEST(RepetitionKeys, TextCountsAcrossBarriersAndComparisons)
{
    EXPECT_EQ(threefold_text({7, 7}), "*");
    EXPECT_EQ(threefold_text({7, 0, 7, 0, 7}), "1/2-1/2 {Draw by threefold repetition}");
    EXPECT_EQ(threefold_text({7, 9, 7, 9, 7, 9, 5}), "1/2-1/2 {Draw by threefold repetition}");
    EXPECT_TRUE(key_lists_equal({}, {}));
    EXPECT_FALSE(key_lists_equal({1}, {1, 2}));
    EXPECT_TRUE(key_lists_differ({1}, {1, 2}));
    EXPECT_FALSE(repetition_count_reached({1}, 2));
}

}
