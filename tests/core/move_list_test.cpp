#include "core/move_list.h"

#include <gtest/gtest.h>

#include <set>
#include <thread>
#include <vector>

namespace {

Move quiet(int from, int to, int score = 0)
{
    Move move(Square(from), Square(to), normal_move, 2, 0);
    move.set_score(score);
    return move;
}

MoveList list_of(const std::vector<Move>& moves)
{
    MoveList list;
    for (std::size_t i = 0; i < moves.size(); ++i) {
        list.at(static_cast<int>(i)) = moves[i];
    }
    list.set_size(static_cast<int>(moves.size()));
    return list;
}

TEST(MoveListTest, NextBestPrefersTheEarliestOfEqualMoves)
{
    MoveList list = list_of({quiet(1, 2, 5), quiet(3, 4, 9), quiet(5, 6, 9)});
    EXPECT_EQ(list.next_best(), quiet(3, 4));
    EXPECT_EQ(list.next_best(), quiet(5, 6));
    EXPECT_EQ(list.next_best(), quiet(1, 2));
    EXPECT_EQ(list.next_best().code(), 0u);
    EXPECT_EQ(list.next_best().code(), 0u);
    list.reset_cursor();
    EXPECT_EQ(list.next_best(), quiet(3, 4));
}

TEST(MoveListTest, OrderingClassComesBeforeScore)
{
    Move urgent = quiet(10, 11, -50);
    urgent.set_xkind(good_capture);
    MoveList list = list_of({quiet(1, 2, 100), urgent});
    EXPECT_EQ(list.next_best(), urgent);
    EXPECT_EQ(list.next_best(), quiet(1, 2));
}

TEST(MoveListTest, ClearKeepsTheCursor)
{
    MoveList list = list_of({quiet(1, 2), quiet(3, 4)});
    (void)list.next_best();
    (void)list.next_best();
    list.set_generated(true);
    list.clear();
    EXPECT_FALSE(list.generated());
    list.at(0) = quiet(7, 8);
    list.set_size(1);
    EXPECT_EQ(list.next_best().code(), 0u);
    list.reset_cursor();
    EXPECT_EQ(list.next_best(), quiet(7, 8));
}

TEST(MoveListTest, RemoveAndMoveToFront)
{
    MoveList list = list_of({quiet(1, 2), quiet(3, 4), quiet(5, 6), quiet(7, 8)});
    list.remove(quiet(3, 4));
    EXPECT_EQ(list.to_vector(), (std::vector<Move>{quiet(1, 2), quiet(5, 6), quiet(7, 8)}));
    list.remove(quiet(9, 10));
    EXPECT_EQ(list.size(), 3u);
    list.remove(quiet(7, 8));
    EXPECT_EQ(list.to_vector(), (std::vector<Move>{quiet(1, 2), quiet(5, 6)}));

    MoveList front = list_of({quiet(1, 2), quiet(3, 4), quiet(5, 6)});
    Move chosen = quiet(5, 6, 77);
    front.move_to_front(chosen);
    EXPECT_EQ(front.to_vector(), (std::vector<Move>{quiet(5, 6), quiet(1, 2), quiet(3, 4)}));
    EXPECT_EQ(front.at(0).score(), 77);
    front.move_to_front(quiet(5, 6, 3));
    EXPECT_EQ(front.at(0).score(), 3);
    EXPECT_EQ(front.size(), 3u);
    front.move_to_front(quiet(60, 61));
    EXPECT_EQ(front.at(0).score(), 3);
}

TEST(MoveListTest, CopiesOwnTheirStorageAndDropTheMark)
{
    MoveList source = list_of({quiet(1, 2), quiet(3, 4)});
    source.set_generated(true);
    MoveList copy(source);
    EXPECT_FALSE(copy.generated());
    EXPECT_EQ(copy, source);
    copy.at(0) = quiet(9, 9);
    EXPECT_EQ(source.at(0), quiet(1, 2));
    EXPECT_FALSE(copy == source);

    MoveList target;
    target.set_generated(true);
    target = source;
    EXPECT_TRUE(target.generated());
    EXPECT_EQ(target, source);

    MoveList moved(std::move(copy));
    EXPECT_EQ(moved.at(0), quiet(9, 9));
    EXPECT_EQ(copy.size(), 0u);
    copy = source;
    EXPECT_EQ(copy, source);
}

TEST(MoveListTest, ViewWritesIntoTheCallersBuffer)
{
    Move buffer[4];
    MoveList view(buffer);
    view.at(0) = quiet(1, 2);
    view.set_size(1);
    EXPECT_EQ(buffer[0], quiet(1, 2));
    EXPECT_EQ(view.to_vector().size(), 1u);
}

TEST(MoveListTest, SeveralThreadsDrawEachMoveOnce)
{
    MoveList list;
    for (int i = 0; i < 200; ++i) {
        list.at(i) = quiet(i % 64, (i / 64) + 1, i);
    }
    list.set_size(200);
    std::vector<std::vector<int>> drawn(4);
    std::vector<std::thread> threads;
    for (auto& scores : drawn) {
        threads.emplace_back([&list, &scores] {
            for (Move move = list.next_best(); move.code() != 0; move = list.next_best()) {
                scores.push_back(move.score());
            }
        });
    }
    for (auto& thread : threads) {
        thread.join();
    }
    std::multiset<int> all;
    for (const auto& scores : drawn) {
        all.insert(scores.begin(), scores.end());
        for (std::size_t i = 1; i < scores.size(); ++i) {
            EXPECT_GT(scores[i - 1], scores[i]);
        }
    }
    EXPECT_EQ(all.size(), 200u);
    EXPECT_EQ(std::set<int>(all.begin(), all.end()).size(), 200u);
}

}
