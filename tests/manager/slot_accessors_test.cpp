// The window's direct accessors, called from another thread while the
// manager's thread loads, fails to load and replaces engine 1.
#include "manager/gui_manager.h"
#include "tests/engines/temp_working_dir.h"
#include "tests/support/test_time.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <mutex>
#include <stdexcept>
#include <string>
#include <thread>
#include <vector>

namespace torvane_test {
namespace {

using namespace std::chrono_literals;

// Collects the manager's lines and lets the test wait for one.
class RecordingInbox : public WindowInbox {
public:
    void put_command(const std::string& line) override
    {
        std::lock_guard lock(m_mutex);
        m_lines.push_back(line);
        m_cv.notify_all();
    }
    bool wait_for_count(std::size_t count, std::chrono::seconds timeout)
    {
        std::unique_lock lock(m_mutex);
        return m_cv.wait_for(lock, torvane_test::scaled(timeout), [&] { return m_lines.size() >= count; });
    }
    std::vector<std::string> lines()
    {
        std::lock_guard lock(m_mutex);
        return m_lines;
    }

private:
    std::mutex m_mutex;
    std::condition_variable m_cv;
    std::vector<std::string> m_lines;
};

TEST(SlotAccessors, EmptySlotAnswersAndReadsNeverRaceWithReplacement)
{
    // The manager creates its per-user directory in the working directory.
    const TempWorkingDir dir;
    RecordingInbox inbox;
    GuiManager manager("test");
    manager.set_interface(&inbox);
    EXPECT_FALSE(manager.engine_loaded());
    const auto empty = manager.get_engine_options();
    ASSERT_EQ(empty.size(), 1u);
    EXPECT_EQ(empty.begin()->first, "no_engine_loaded");
    try {
        manager.get_enginevariables();
        FAIL() << "no exception";
    } catch (const std::logic_error& error) {
        EXPECT_STREQ(error.what(), "GuiManager::get_enginevariables()   no engine loaded");
    }

    std::thread thread(std::ref(manager));
    std::atomic<bool> done(false);
    std::atomic<int> loaded_reads(0);
    std::thread window([&] {
        while (!done) {
            if (manager.engine_loaded()) {
                ++loaded_reads;
            }
            const auto options = manager.get_engine_options();
            EXPECT_FALSE(options.empty());
            try {
                EXPECT_FALSE(manager.get_enginevariables().get_filename().empty());
            } catch (const std::logic_error&) {
            }
        }
    });
    const std::string fake = std::string(FAKE_ENGINE_DIR) + "/fake_engine";
    std::size_t expected = 0;
    for (int round = 0; round < 4; ++round) {
        manager.command("0 load 1 filename " + fake);
        expected += 3;
        ASSERT_TRUE(inbox.wait_for_count(expected, 20s));
        EXPECT_TRUE(manager.engine_loaded());
        EXPECT_EQ(manager.get_engine_options().count("Hash"), 1u);
        manager.command("0 load 1 filename /nonexistent/engine");
        expected += 2;
        ASSERT_TRUE(inbox.wait_for_count(expected, 20s));
        EXPECT_FALSE(manager.engine_loaded());
    }

    // Settings handed over from the window reach engine 1 on the manager's thread.
    manager.command("0 load 1 filename " + fake);
    ASSERT_TRUE(inbox.wait_for_count(expected + 3, 20s));
    EngineVariables settings = manager.get_enginevariables();
    auto options = settings.get_options();
    options["Hash"].set_value("48");
    settings.set_options(options);
    settings.set_elo("2100");
    manager.set_enginevariables(settings);
    const auto deadline = std::chrono::steady_clock::now() + torvane_test::scaled(10s);
    while (manager.get_enginevariables().get_elo() != "2100" && std::chrono::steady_clock::now() < deadline) {
        std::this_thread::sleep_for(5ms);
    }
    EXPECT_EQ(manager.get_enginevariables().get_elo(), "2100");
    EXPECT_EQ(manager.get_engine_options().at("Hash").get_value(), "48");

    done = true;
    window.join();
    manager.command("0 quit");
    thread.join();
    EXPECT_GT(loaded_reads.load(), 0);
    EXPECT_EQ(inbox.lines().back(), "quit");
}

}
}
