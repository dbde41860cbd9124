#include "engines/cv_trio.h"
#include "engines/gui_engine.h"
#include "engines/info_line_limit.h"
#include "engines/protocol_detection.h"
#include "tests/engines/engine_receiver.h"
#include "tests/support/test_time.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <stdexcept>
#include <thread>

namespace {

struct Receiver {
    std::mutex mtx;
    std::condition_variable cv;
    std::deque<std::string> queue;
};

TEST(CVTrio, ValidOnlyWithAllThreePointers)
{
    Receiver r;
    CVTrio trio;
    EXPECT_FALSE(trio.valid());
    trio.set_mutex(&r.mtx);
    trio.set_cv(&r.cv);
    EXPECT_FALSE(trio.valid());
    trio.set_queue(&r.queue);
    EXPECT_TRUE(trio.valid());
    trio.clear();
    EXPECT_FALSE(trio.valid());
}

TEST(CVTrio, CommandWithoutMutexThrowsAndGetReturnsEmpty)
{
    CVTrio trio;
    try {
        trio.command("x");
        FAIL();
    } catch (const std::logic_error& e) {
        EXPECT_STREQ(e.what(), "CVTrio::command   no mutex found");
    }
    EXPECT_EQ(trio.get(), "");
}

TEST(CVTrio, LinesComeOutInOrderAndEmptyLinesCount)
{
    Receiver r;
    CVTrio trio(&r.mtx, &r.cv, &r.queue);
    CVTrio copy = trio;
    trio.command("first");
    copy.command("");
    trio.command("third");
    ASSERT_EQ(r.queue.size(), 3u);
    EXPECT_EQ(copy.get(), "first");
    EXPECT_EQ(trio.get(), "");
    EXPECT_EQ(trio.get(), "third");
    EXPECT_EQ(trio.get(), "");
    EXPECT_TRUE(r.queue.empty());
}

// As a driver's queue is fed while its engine floods: of the analysis lines
// only the newest wait, every other line stays, and taking lines out makes
// room again.
TEST(CVTrio, AnAdmissionLimitKeepsOnlyTheNewestAnalysisLines)
{
    Receiver r;
    InfoLineLimit limit(3, [](const std::string& line) {
        return line.rfind("info", 0) == 0 ? std::optional<int>(0) : std::nullopt;
    });
    CVTrio trio(&r.mtx, &r.cv, &r.queue);
    trio.set_admission(&limit);
    for (const char* line : {"id name X", "info 1", "info 2", "uciok", "info 3", "info 4", "info 5", "bestmove e2e4"})
        trio.command(line);
    EXPECT_EQ(r.queue, (std::deque<std::string>{"id name X", "uciok", "info 3", "info 4", "info 5", "bestmove e2e4"}));
    limit.taken("info 3");
    r.queue.erase(r.queue.begin() + 2);
    trio.command("info 6");
    EXPECT_EQ(r.queue, (std::deque<std::string>{"id name X", "uciok", "info 4", "info 5", "bestmove e2e4", "info 6"}));
}

// The same in a driver whose manager is busy while its engine floods: what
// piles up in the driver's own queue meanwhile is only the newest analysis.
TEST(CVTrio, ADriverKeepsOnlyTheNewestAnalysisWhileItsManagerIsBusy)
{
    const auto is_info = [](const std::string& line) { return line.find(" info ") != std::string::npos; };
    Receiver manager;
    GuiEngine engine;
    setenv("TORVANE_FAKE_MODE", "crash_on_go", 1);
    engine.load(1, std::string(FAKE_ENGINE_DIR) + "/fake_engine_flood", protocol_xboard_v2,
                CVTrio(&manager.mtx, &manager.cv, &manager.queue));
    unsetenv("TORVANE_FAKE_MODE");
    // A pondering engine's thinking is forwarded while the driver counts it idle.
    engine.set_ponder(true);
    std::unique_lock busy(manager.mtx);
    ASSERT_TRUE(manager.cv.wait_for(busy, torvane_test::scaled(std::chrono::seconds(10)), [&] {
        return std::any_of(manager.queue.begin(), manager.queue.end(), is_info);
    }));
    const auto heard_before = static_cast<std::ptrdiff_t>(manager.queue.size());
    // However long the spell, only the newest lines may wait. The engine dies
    // on "go", and its crash is marked once every line it printed is queued.
    std::this_thread::sleep_for(torvane_test::scaled(std::chrono::milliseconds(100)));
    engine.go();
    ASSERT_TRUE(torvane_test::eventually([&] { return engine.engine_crashed(); }));
    busy.unlock();
    engine.unload_engine();
    // The newest that waited, and the line the driver was forwarding.
    EXPECT_LE(std::count_if(manager.queue.begin() + heard_before, manager.queue.end(), is_info),
              static_cast<std::ptrdiff_t>(BaseEngine::waiting_info_limit + 1));
}

TEST(CVTrio, ToStringNamesTheAddresses)
{
    Receiver r;
    CVTrio trio(&r.mtx, &r.cv, &r.queue);
    std::string text = trio.to_string();
    EXPECT_EQ(text.rfind("CVTrio:    mtx=0x", 0), 0u);
    EXPECT_NE(text.find("  cv=0x"), std::string::npos);
    EXPECT_NE(text.find("  queue=0x"), std::string::npos);
}

// Senders on several threads, one waiting receiver: every line arrives whole,
// and each sender's lines keep their order.
TEST(CVTrio, ConcurrentSendersWakeAWaitingReceiver)
{
    Receiver r;
    CVTrio trio(&r.mtx, &r.cv, &r.queue);
    constexpr int senders = 4;
    constexpr int per_sender = 500;
    std::vector<std::thread> threads;
    for (int s = 0; s < senders; ++s) {
        threads.emplace_back([trio, s]() mutable {
            for (int i = 0; i < per_sender; ++i) {
                trio.command(std::to_string(s) + " " + std::to_string(i));
            }
        });
    }
    std::vector<int> next(senders, 0);
    int received = 0;
    {
        std::unique_lock lock(r.mtx);
        while (received < senders * per_sender) {
            ASSERT_TRUE(r.cv.wait_for(lock, torvane_test::scaled(std::chrono::seconds(10)), [&] { return !r.queue.empty(); }));
            std::string line = r.queue.front();
            r.queue.pop_front();
            int sender = std::stoi(line.substr(0, line.find(' ')));
            int index = std::stoi(line.substr(line.find(' ') + 1));
            EXPECT_EQ(index, next[sender]);
            next[sender] = index + 1;
            ++received;
        }
    }
    for (auto& t : threads) {
        t.join();
    }
}

}
