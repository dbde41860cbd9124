#include "core/magic_moves.h"
#include "core/move_list.h"

#include <gtest/gtest.h>

#include <set>
#include <thread>
#include <vector>

namespace {

Move quiet(int from, int to, int score)
{
    Move move(Square(from), Square(to), normal_move, 2, 0);
    move.set_score(score);
    return move;
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

TEST(MagicMoves, SharedInstanceIsBuiltOnceAcrossThreads)
{
    std::vector<const MagicMoves*> seen(8);
    std::vector<std::thread> threads;
    for (std::size_t i = 0; i < seen.size(); ++i)
        threads.emplace_back([&seen, i] { seen[i] = &MagicMoves::shared(); });
    for (std::thread& thread : threads)
        thread.join();
    for (const MagicMoves* instance : seen)
        EXPECT_EQ(instance, seen.front());
}

}
