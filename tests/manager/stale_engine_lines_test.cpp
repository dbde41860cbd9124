// Engine lines that were printed for the old game and still wait in the
// manager's queue when the window sets up a new position or new play: the
// window's commands overtake them, and they must not act on the new game.
#include "manager/gui_manager.h"
#include "tests/engines/temp_working_dir.h"
#include "tests/manager/console_fixtures.h"
#include "tests/support/test_time.h"

#include <gtest/gtest.h>

#include <chrono>
#include <condition_variable>
#include <functional>
#include <mutex>
#include <optional>
#include <ostream>
#include <string>
#include <thread>
#include <vector>

namespace torvane_test {
namespace {

using namespace std::chrono_literals;

const std::string after_e3 = "rnbqkbnr/pppppppp/8/8/8/4P3/PPPP1PPP/RNBQKBNR b KQkq - 0 1";

// Collects the manager's lines. The first line that begins with the held
// prefix keeps the manager's thread inside put_command until release, so
// that the engine's lines queue up behind it meanwhile.
class HoldingInbox : public WindowInbox {
public:
    explicit HoldingInbox(std::string held) : m_held(std::move(held)) {}

    void put_command(const std::string& line) override
    {
        std::unique_lock lock(m_mutex);
        m_lines.push_back(line);
        if (!m_held.empty() && line.rfind(m_held, 0) == 0) {
            m_held.clear();
            m_holding = true;
        }
        m_cv.notify_all();
        m_cv.wait(lock, [this] { return !m_holding; });
    }
    void release()
    {
        std::lock_guard lock(m_mutex);
        m_holding = false;
        m_cv.notify_all();
    }
    bool wait_holding(std::chrono::seconds timeout)
    {
        std::unique_lock lock(m_mutex);
        return m_cv.wait_for(lock, torvane_test::scaled(timeout), [this] { return m_holding; });
    }
    // The first line from index from on that matches, waiting for it.
    std::optional<std::string> wait_line(std::size_t from, const std::function<bool(const std::string&)>& matches,
                                         std::chrono::seconds timeout)
    {
        std::unique_lock lock(m_mutex);
        std::optional<std::string> found;
        m_cv.wait_for(lock, torvane_test::scaled(timeout), [&] {
            for (std::size_t index = from; index < m_lines.size(); ++index) {
                if (matches(m_lines[index])) {
                    found = m_lines[index];
                    return true;
                }
            }
            return false;
        });
        return found;
    }
    std::size_t count()
    {
        std::lock_guard lock(m_mutex);
        return m_lines.size();
    }

private:
    std::mutex m_mutex;
    std::condition_variable m_cv;
    std::vector<std::string> m_lines;
    std::string m_held;
    bool m_holding = false;
};

struct StaleCase {
    std::string name;
    std::string load;       // "1" UCI, "3" xboard
    std::string modes;      // of the fake engine
    std::string moves;      // its answers, in turn
    std::string held;       // the manager's line that holds it ("" none)
    std::string old_answer; // what the engine receives once its old answer is on the way
    std::vector<std::string> commands;
    std::string expected;   // the first move or result line after the commands
};

std::ostream& operator<<(std::ostream& out, const StaleCase& param) { return out << param.name; }

class StaleEngineLines : public testing::TestWithParam<StaleCase> {
protected:
    StaleEngineLines() : m_inbox(GetParam().held), m_manager("test")
    {
        m_manager.set_interface(&m_inbox);
        m_thread = std::thread(std::ref(m_manager));
    }
    ~StaleEngineLines() override
    {
        m_inbox.release();
        m_manager.command("0 quit");
        m_thread.join();
    }

    // The manager's working directory comes first: it makes its files there.
    const TempWorkingDir m_dir;
    HoldingInbox m_inbox;
    GuiManager m_manager;
    std::thread m_thread;
};

TEST_P(StaleEngineLines, NeverActOnTheNewGame)
{
    const StaleCase& param = GetParam();
    const std::string record = m_dir.path() + "/received.txt";
    const std::string engine = scripted_fake_engine(m_dir.path(), "engine.sh", param.moves, "fake_engine",
                                                    {{"TORVANE_FAKE_MODE", param.modes}, {"TORVANE_FAKE_RECORD", record}});
    // Pondering makes a UCI engine's old answer be followed by the ponder
    // search, which the new command stops: by then the answer is queued.
    m_manager.command("0 ponder on");
    m_manager.command("0 load " + param.load + " filename " + engine);
    ASSERT_TRUE(m_inbox.wait_line(0, [](const std::string& line) { return line.rfind("engine1name ", 0) == 0; }, 30s));
    m_manager.command("0 go");
    if (!param.held.empty()) {
        ASSERT_TRUE(m_inbox.wait_holding(30s));
    }
    const auto received = [&] { return TempWorkingDir::read_file(record).find(param.old_answer) != std::string::npos; };
    const auto deadline = std::chrono::steady_clock::now() + torvane_test::scaled(30s);
    while (!received() && std::chrono::steady_clock::now() < deadline) {
        std::this_thread::sleep_for(2ms);
    }
    ASSERT_TRUE(received());
    const std::size_t from = m_inbox.count();
    for (const std::string& command : param.commands) {
        m_manager.command(command);
    }
    m_inbox.release();
    const auto outcome = m_inbox.wait_line(
        from, [](const std::string& line) { return line.rfind("move ", 0) == 0 || is_result_line(line); }, 30s);
    EXPECT_EQ(outcome, param.expected);
}

// The engines answer in turn the old search (the UCI one with a reply to
// ponder on), the search the new command stops, and the new search.
INSTANTIATE_TEST_SUITE_P(
    Rows, StaleEngineLines,
    testing::Values(StaleCase{"OldBestMoveAfterSetboardAndGo", "1", "", "e2e4:e7e5 a7a6 d7d5", "whitename", " ponder\n",
                              {"0 setboard " + after_e3, "0 go"}, "move d7d5"},
                    StaleCase{"OldBestMoveAfterNewAndGo", "1", "", "e2e4:e7e5 a7a6 d2d4", "whitename", " ponder\n",
                              {"0 new", "0 go"}, "move d2d4"},
                    StaleCase{"ResignForcedBySetboardsStop", "3", "hold_first", "resign d7d5", "", "\ngo\n",
                              {"0 setboard " + after_e3, "0 go"}, "move d7d5"}),
    [](const testing::TestParamInfo<StaleCase>& info) { return info.param.name; });

}
}
