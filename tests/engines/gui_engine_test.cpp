#include "engines/gui_engine.h"

#include "engines/protocol_detection.h"
#include "tests/engines/engine_receiver.h"
#include "tests/engines/scripted_engine.h"
#include "tests/support/peer_programs.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <stdexcept>
#include <thread>

namespace {

using namespace std::chrono_literals;
using torvane_test::EngineReceiver;
using torvane_test::eventually;

const std::string fake_dir = FAKE_ENGINE_DIR;
const std::string fake_engine = fake_dir + "/fake_engine";

// The fake engine's environment for one test: scripted moves and a record of
// what it receives.
class FakeEnvironment {
public:
    explicit FakeEnvironment(const std::string& moves = "e2e4 e7e5 g1f3")
        : m_dir(torvane_test::make_temp_dir("torvane-owner"))
    {
        setenv("TORVANE_FAKE_MOVES", moves.c_str(), 1);
        setenv("TORVANE_FAKE_RECORD", (m_dir + "/received.in").c_str(), 1);
    }
    ~FakeEnvironment()
    {
        unsetenv("TORVANE_FAKE_MOVES");
        unsetenv("TORVANE_FAKE_RECORD");
        std::filesystem::remove_all(m_dir);
    }
    const std::string& dir() const { return m_dir; }
    std::string received(std::size_t min_lines = 0) const
    {
        return torvane_test::scripted_engine_input(m_dir + "/received", min_lines);
    }

private:
    std::string m_dir;
};

TEST(GuiEngineEmpty, ForwardersAnswerTheirDefaults)
{
    GuiEngine owner;
    ChessPosition position;
    position.set_start_position();
    owner.set_ponder(true);
    owner.new_game();
    owner.set_position(position);
    owner.go();
    owner.go_infinite();
    owner.stop();
    owner.set_white(false);
    owner.set_level(Level());
    owner.set_token(7);
    owner.set_options({});
    owner.unload_engine();
    owner.unload_engine();
    EXPECT_FALSE(owner.is_uci());
    EXPECT_FALSE(owner.engine_running());
    EXPECT_FALSE(owner.engine_crashed());
    EXPECT_FALSE(owner.is_white());
    EXPECT_FALSE(owner.is_running());
    EXPECT_TRUE(owner.get_options().empty());
    EXPECT_EQ(owner.get_level().to_string(), "sessions 40 0:10 0.1");
    EXPECT_EQ(owner.get_number(), 0);
    EXPECT_EQ(owner.get_time_left(), 0);
    EXPECT_EQ(owner.get_move_time(), 0u);
    EXPECT_EQ(owner.get_increment(), 0);
    EXPECT_EQ(owner.get_opponent_time(), 0u);
    EXPECT_EQ(owner.get_opponent_increment(), 0);
    EXPECT_EQ(owner.get_moves_to_go(), 1u);
    EXPECT_EQ(owner.get_idname(), "");
    EXPECT_EQ(owner.get_player_name(), "");
    EXPECT_EQ(owner.get_elo(), "");
    EXPECT_TRUE(owner.get_reuse());
    EXPECT_EQ(owner.get_state(), 0);
    try {
        owner.get_enginevariables();
        FAIL() << "no exception";
    } catch (const std::logic_error& error) {
        EXPECT_STREQ(error.what(), "GuiEngine::get_enginevariables no engine found");
    }
}

TEST(GuiEngineLoad, NumberZeroOnlyRecordsThePath)
{
    EngineReceiver manager;
    GuiEngine owner;
    owner.load(0, fake_engine, protocol_uci, manager.trio());
    EXPECT_FALSE(owner.engine_running());
    EXPECT_THROW(owner.get_enginevariables(), std::logic_error);
    EXPECT_EQ(owner.copy_enginevariables().get_filename(), fake_engine);
}

TEST(GuiEngineLoad, UnknownProtocolIsRejectedBeforeAnythingStarts)
{
    EngineReceiver manager;
    GuiEngine owner;
    try {
        owner.load(1, fake_engine, 4, manager.trio());
        FAIL() << "no exception";
    } catch (const std::logic_error& error) {
        EXPECT_STREQ(error.what(), "GuiEngine::load   no protocol");
    }
    EXPECT_FALSE(owner.engine_running());
    EXPECT_THROW(owner.get_enginevariables(), std::logic_error);
}

TEST(GuiEngineLoad, AMissingExecutableLeavesADriverThatIsNotRunning)
{
    EngineReceiver manager;
    GuiEngine owner;
    auto start = std::chrono::steady_clock::now();
    owner.load(1, "/nonexistent/engine", protocol_autodetect, manager.trio());
    EXPECT_LT(std::chrono::steady_clock::now() - start, 1s) << "nothing to wait for";
    EXPECT_NO_THROW(owner.get_enginevariables());
    EXPECT_FALSE(owner.is_uci());
    EXPECT_FALSE(owner.engine_running());
    owner.go();
    owner.unload_engine();
    EXPECT_THROW(owner.get_enginevariables(), std::logic_error);
}

// The driver chosen for each configured code, and what the engine heard.
struct ProtocolCase {
    int protocol;
    bool uci;
    const char* first_lines;
};

class GuiEngineProtocol : public testing::TestWithParam<ProtocolCase> {};

TEST_P(GuiEngineProtocol, PicksTheDriverAndKeepsItOnReload)
{
    FakeEnvironment environment;
    EngineReceiver manager;
    GuiEngine owner;
    owner.load(1, fake_engine, GetParam().protocol, manager.trio());
    EXPECT_TRUE(owner.engine_running());
    EXPECT_EQ(owner.is_uci(), GetParam().uci);
    EXPECT_EQ(owner.get_idname(), "FakeEngine 1.0");
    owner.reload_engine();
    EXPECT_TRUE(owner.engine_running());
    EXPECT_EQ(owner.is_uci(), GetParam().uci);
    owner.unload_engine();
    std::string once = GetParam().first_lines;
    std::string received = environment.received();
    ASSERT_GE(received.size(), once.size());
    EXPECT_EQ(received.substr(0, once.size()), once);
    std::size_t again = received.find("quit\n");
    ASSERT_NE(again, std::string::npos);
    EXPECT_EQ(received.substr(again + 5, once.size()), once) << received;
}

INSTANTIATE_TEST_SUITE_P(Codes, GuiEngineProtocol,
                         testing::Values(ProtocolCase{protocol_autodetect, true, "uci\n"},
                                         ProtocolCase{protocol_uci, true, "uci\n"},
                                         ProtocolCase{protocol_xboard_v2, false, "xboard\nprotover 2\n"}));

TEST(GuiEngineProtocolOne, IsNeverProbedForUciAgain)
{
    FakeEnvironment environment;
    EngineReceiver manager;
    GuiEngine owner;
    owner.load(2, fake_engine, protocol_xboard_v1, manager.trio());
    owner.reload_engine();
    owner.unload_engine();
    std::string received = environment.received();
    EXPECT_EQ(received.find("uci"), std::string::npos) << received;
    EXPECT_EQ(received.find("protover"), std::string::npos) << received;
    EXPECT_EQ(received.substr(0, 7), "xboard\n");
}

// Waits for the forwarded line of the slot that starts with the word.
std::string forwarded(EngineReceiver& manager, const std::string& prefix)
{
    std::vector<std::string> lines = manager.lines_until(prefix);
    return lines.empty() ? "" : lines.back();
}

TEST(GuiEngineSlots, BothSlotsPlayAndUnloadTogether)
{
    FakeEnvironment environment;
    EngineReceiver manager;
    GuiEngine first;
    GuiEngine second;
    first.load(1, fake_engine, protocol_uci, manager.trio());
    second.load(2, fake_engine, protocol_xboard_v2, manager.trio());
    first.set_token(111);
    second.set_token(222);
    ChessPosition position;
    position.set_start_position();
    first.new_game();
    first.set_position(position);
    first.go();
    EXPECT_EQ(forwarded(manager, "1 111 bestmove").substr(0, 20), "1 111 bestmove e2e4 ");
    second.new_game();
    second.set_white(false);
    position.make_move(position.convert_to_move("e2e4"));
    second.set_position(position);
    second.go();
    EXPECT_EQ(forwarded(manager, "2 222 bestmove").substr(0, 20), "2 222 bestmove e2e4");
    first.unload_engine();
    second.unload_engine();
    EXPECT_FALSE(first.engine_running());
    EXPECT_FALSE(second.engine_running());
    EXPECT_FALSE(first.engine_crashed());
}

TEST(GuiEngineSlots, ReloadKeepsTheTokenUntilANewOneIsSet)
{
    FakeEnvironment environment;
    EngineReceiver manager;
    GuiEngine owner;
    owner.load(1, fake_engine, protocol_uci, manager.trio());
    owner.set_token(9001);
    owner.reload_engine();
    EXPECT_FALSE(forwarded(manager, "1 9001 readyok").empty()) << "the reload's new game is answered";
    owner.set_token(9002);
    ChessPosition position;
    position.set_start_position();
    owner.set_position(position);
    owner.go();
    EXPECT_EQ(forwarded(manager, "1 9002 bestmove").substr(0, 20), "1 9002 bestmove e2e4");
}

TEST(GuiEngineSlots, ACrashedEngineIsSeenAsCrashed)
{
    FakeEnvironment environment;
    EngineReceiver manager;
    GuiEngine owner;
    owner.load(1, fake_dir + "/fake_engine_crash_on_go", protocol_uci, manager.trio());
    ASSERT_TRUE(owner.engine_running());
    ChessPosition position;
    position.set_start_position();
    owner.set_position(position);
    owner.go();
    EXPECT_TRUE(eventually([&] { return owner.engine_crashed(); }));
    EXPECT_FALSE(owner.engine_running());
    owner.unload_engine();
}

TEST(GuiEngineSlots, ReloadBringsACrashedEngineBack)
{
    FakeEnvironment environment;
    setenv("TORVANE_FAKE_MODE", "close_input", 1);
    EngineReceiver manager;
    GuiEngine owner;
    owner.load(1, fake_engine, protocol_uci, manager.trio());
    unsetenv("TORVANE_FAKE_MODE");
    owner.set_token(31);
    EXPECT_TRUE(eventually([&] { return owner.engine_crashed(); }));
    owner.reload_engine();
    EXPECT_TRUE(owner.engine_running());
    EXPECT_FALSE(owner.engine_crashed());
    ChessPosition position;
    position.set_start_position();
    owner.set_position(position);
    owner.go();
    EXPECT_EQ(forwarded(manager, "1 31 bestmove").substr(0, 18), "1 31 bestmove e2e4");
}

TEST(GuiEngineSlots, DestroyingALoadedOwnerQuitsTheEngine)
{
    FakeEnvironment environment;
    EngineReceiver manager;
    {
        GuiEngine owner;
        owner.load(1, fake_engine, protocol_uci, manager.trio());
    }
    EXPECT_NE(environment.received(2).find("quit\n"), std::string::npos);
}

TEST(GuiEngineSlots, LoadingOverALoadedEngineUnloadsItFirst)
{
    FakeEnvironment environment;
    EngineReceiver manager;
    GuiEngine owner;
    owner.load(1, fake_engine, protocol_uci, manager.trio());
    owner.load(1, fake_engine, protocol_xboard_v2, manager.trio());
    EXPECT_TRUE(owner.engine_running());
    EXPECT_FALSE(owner.is_uci());
}

TEST(GuiEngineSlots, LinesOfAnEarlierEngineNeverDecideTheNextProtocol)
{
    std::string dir = torvane_test::make_temp_dir("torvane-stale");
    std::string chatty = torvane_test::write_scripted_engine(dir, "chatty", R"(    protover*) printf 'feature done=1\n'
         i=0; while [ $i -lt 200 ]; do printf 'uciok\n'; i=$((i+1)); done ;;)");
    std::string mute = torvane_test::write_scripted_engine(dir, "mute", "    nothing) ;;");
    EngineReceiver manager;
    GuiEngine owner;
    owner.load(1, chatty, protocol_xboard_v2, manager.trio());
    owner.unload_engine();
    owner.load(1, mute, protocol_uci, manager.trio());
    EXPECT_FALSE(owner.copy_enginevariables().is_uci());
    owner.unload_engine();
    std::filesystem::remove_all(dir);
}

TEST(GuiEngineSlots, OptionsOfAnEarlierEngineAreNotCarriedOver)
{
    FakeEnvironment environment;
    std::string dir = torvane_test::make_temp_dir("torvane-options");
    std::string bare = torvane_test::write_scripted_engine(dir, "bare", R"(    uci) echo 'id name Bare'; echo uciok ;;)");
    EngineReceiver manager;
    GuiEngine owner;
    owner.load(1, fake_engine, protocol_uci, manager.trio());
    EXPECT_EQ(owner.get_options().size(), 4u);
    owner.load(1, bare, protocol_uci, manager.trio());
    EXPECT_TRUE(owner.get_options().empty());
    owner.unload_engine();
    std::filesystem::remove_all(dir);
}

// The window's thread copies the settings while the manager's thread changes
// them and the engine plays: the copies must be whole.
TEST(GuiEngineSlots, SettingsCopiedFromAnotherThreadWhileTheyChange)
{
    FakeEnvironment environment("e2e4 e7e5 g1f3 b8c6 f1b5 a7a6");
    EngineReceiver manager;
    GuiEngine owner;
    owner.load(1, fake_engine, protocol_uci, manager.trio());
    owner.set_token(5);
    std::atomic<bool> done{false};
    std::thread window([&] {
        while (!done) {
            EngineVariables copy = owner.copy_enginevariables();
            auto options = owner.get_options();
            EXPECT_LE(options.size(), 4u);
            EXPECT_FALSE(copy.get_filename().empty());
        }
    });
    ChessPosition position;
    position.set_start_position();
    for (int round = 0; round < 6; ++round) {
        auto options = owner.get_options();
        options["Hash"].set_value(std::to_string(16 + round));
        owner.set_options(options);
        EngineVariables settings = owner.copy_enginevariables();
        settings.set_elo(std::to_string(2000 + round));
        owner.set_enginevariables(settings);
        owner.set_level(Level());
        owner.set_white(round % 2 == 0);
        owner.set_position(position);
        owner.go();
        std::string line = forwarded(manager, "1 5 bestmove");
        EXPECT_EQ(line.substr(0, 13), "1 5 bestmove ") << round;
        if (line.size() < 17) {
            break;
        }
        position.make_move(position.convert_to_move(line.substr(13, 4)));
    }
    done = true;
    window.join();
    EXPECT_EQ(owner.get_elo(), "2005");
    EXPECT_EQ(owner.get_options()["Hash"].get_value(), "21");
}

}
