#include "engines/engine_variables.h"
#include "engines/engio.h"
#include "engines/option.h"

#include "tests/engines/engine_receiver.h"
#include "tests/support/peer_programs.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <map>
#include <sys/wait.h>
#include <thread>

namespace {

using namespace std::chrono_literals;
using torvane_test::EngineReceiver;

// Debian's stockfish driven through the engine process layer.
class StockfishTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_engio.set_cvtrio(m_receiver.trio());
        m_engio.set_number(1);
        m_engio.spawn_engine(torvane_test::peer_program("stockfish"));
        ASSERT_TRUE(m_engio.spawned());
        m_reader = std::thread(std::ref(m_engio));
    }

    void TearDown() override
    {
        m_engio.quit();
        if (m_reader.joinable()) {
            m_reader.join();
        }
    }

    EngineReceiver m_receiver;
    Engio m_engio;
    std::thread m_reader;
};

// The words between two markers of an option line, found by plain text search.
std::string between(const std::string& line, const std::string& from, const std::string& to)
{
    std::size_t start = line.find(from);
    if (start == std::string::npos) {
        return "";
    }
    start += from.size();
    std::size_t end = to.empty() ? std::string::npos : line.find(to, start);
    std::string text = line.substr(start, end == std::string::npos ? std::string::npos : end - start);
    while (!text.empty() && text.back() == ' ') {
        text.pop_back();
    }
    return text;
}

TEST_F(StockfishTest, HandshakeOptionsParseAsTheEngineWroteThem)
{
    m_engio("uci");
    std::vector<std::string> lines = m_receiver.lines_until("uciok");
    ASSERT_FALSE(lines.empty());
    EngineVariables ev;
    int option_lines = 0;
    for (const std::string& line : lines) {
        if (line.rfind("option ", 0) != 0) {
            continue;
        }
        ++option_lines;
        Option option(line);
        EXPECT_EQ(option.get_name(), between(line, "option name ", " type ")) << line;
        std::string type = between(line, " type ", " ");
        EXPECT_EQ(option.get_type(), type.empty() ? between(line, " type ", "") : type) << line;
        if (option.get_type() == "spin") {
            EXPECT_EQ(option.get_default(), between(line, " default ", " min ")) << line;
            EXPECT_EQ(option.get_min(), between(line, " min ", " max ")) << line;
            EXPECT_EQ(option.get_max(), between(line, " max ", "")) << line;
        }
        ev.set_option(option);
    }
    EXPECT_GE(option_lines, 10);
    auto options = ev.get_options();
    ASSERT_EQ(options.size(), static_cast<std::size_t>(option_lines));
    EXPECT_EQ(options["Hash"].get_type(), "spin");
    EXPECT_EQ(options["Hash"].get_min(), "1");
    EXPECT_EQ(options["Clear Hash"].get_type(), "button");
    EXPECT_EQ(options["Clear Hash"].get_value(), "");
    EXPECT_EQ(options["Ponder"].get_value(), "false");
    EXPECT_EQ(options["Debug Log File"].get_type(), "string");
    EXPECT_EQ(options["Debug Log File"].get_default(), "");
}

TEST_F(StockfishTest, SearchEndsInAStampedBestMove)
{
    m_engio("uci");
    ASSERT_FALSE(m_receiver.lines_until("uciok").empty());
    m_engio("isready");
    ASSERT_FALSE(m_receiver.lines_until("readyok").empty());
    m_engio("position startpos moves e2e4");
    m_engio("go depth 8");
    std::vector<std::string> lines = m_receiver.lines_until("bestmove", 60s);
    ASSERT_FALSE(lines.empty());
    const std::string& best = lines.back();
    EXPECT_NE(best.find(" TS="), std::string::npos) << best;
    EXPECT_EQ(best.find_first_not_of("0123456789", best.find(" TS=") + 4), std::string::npos) << best;
    for (std::size_t i = 0; i + 1 < lines.size(); ++i) {
        EXPECT_EQ(lines[i].find(" TS="), std::string::npos) << lines[i];
    }
}

TEST_F(StockfishTest, QuitIsQuickAndLeavesNoProcess)
{
    m_engio("uci");
    ASSERT_FALSE(m_receiver.lines_until("uciok").empty());
    m_engio("go infinite");
    auto begin = std::chrono::steady_clock::now();
    m_engio.quit();
    // Not waited out (then terminated): the program's own bound, kept as is.
    EXPECT_LT(std::chrono::steady_clock::now() - begin, Engio::quit_timeout);
    EXPECT_FALSE(m_engio.crashed());
    int status = 0;
    EXPECT_EQ(waitpid(-1, &status, WNOHANG), -1);
    EXPECT_EQ(errno, ECHILD);
}

}
