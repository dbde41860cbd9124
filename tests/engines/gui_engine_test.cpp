#include "engines/gui_engine.h"

#include "engines/protocol_detection.h"
#include "tests/engines/engine_receiver.h"
#include "tests/engines/scripted_engine.h"
#include "tests/engines/temp_working_dir.h"
#include "tests/support/peer_programs.h"
#include "tests/support/test_time.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <map>
#include <utility>
#include <vector>
#include <ostream>
#include <sstream>
#include <stdexcept>
#include <thread>
#include <ostream>

namespace {

using namespace std::chrono_literals;
using torvane_test::EngineReceiver;
using torvane_test::eventually;
using torvane_test::scaled;
using torvane_test::scaled_below;

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
    EXPECT_EQ(owner.get_moves_made(), 0u);
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
    EXPECT_LT(std::chrono::steady_clock::now() - start, scaled_below(1s, uci_probe_time)) << "nothing to wait for";
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

void PrintTo(const ProtocolCase& c, std::ostream* out) { *out << "protocol " << c.protocol; }

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

// An engine that dies on "go": the crash ends the search, a later go ends at
// once instead of finding the engine "already thinking", and the unload
// does not wait for an answer to "stop" or "?" from a process that is gone.
class GuiEngineCrash : public testing::TestWithParam<int> {};

TEST_P(GuiEngineCrash, IsSeenEndsTheSearchAndUnloadsWithoutWaiting)
{
    FakeEnvironment environment;
    EngineReceiver manager;
    GuiEngine owner;
    owner.load(1, fake_dir + "/fake_engine_crash_on_go", GetParam(), manager.trio());
    ASSERT_TRUE(owner.engine_running());
    ChessPosition position;
    position.set_start_position();
    owner.set_position(position);
    owner.go();
    EXPECT_TRUE(eventually([&] { return owner.engine_crashed(); }));
    EXPECT_FALSE(owner.engine_running());
    EXPECT_TRUE(eventually([&] { return owner.get_state() == engine_idle; }));
    EXPECT_NO_THROW(owner.go());
    EXPECT_EQ(owner.get_state(), engine_idle);
    owner.go();
    auto begin = std::chrono::steady_clock::now();
    owner.unload_engine();
    EXPECT_LT(std::chrono::steady_clock::now() - begin, scaled_below(500ms, Engio::quit_timeout));
}

INSTANTIATE_TEST_SUITE_P(Codes, GuiEngineCrash, testing::Values(protocol_uci, protocol_xboard_v2),
                         [](const testing::TestParamInfo<int>& info) {
                             return std::string(info.param == protocol_uci ? "uci" : "xboard");
                         });

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
    std::string mute = torvane_test::write_scripted_engine(dir, "mute", "    uci) exit ;;");
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

// Debian's hoichess answers "uci" with an error and exits: autodetection
// starts such an engine again for the xboard handshake, and it plays. A
// program that dies at every start still fails to load, and at once.
TEST(GuiEngineLoad, AutodetectStartsAnEngineThatExitsOnUciAgain)
{
    std::string dir = torvane_test::make_temp_dir("torvane-restart");
    std::string quitter = torvane_test::write_scripted_engine(dir, "quitter", R"(    uci) echo 'Error (unknown command): uci'; exit 1 ;;
    protover*) echo 'feature myname="Quitter 1.0" usermove=1 done=1' ;;
    usermove*) echo 'move e7e5' ;;)");
    torvane_test::TempWorkingDir working_dir;
    EngineReceiver manager;
    GuiEngine owner;
    owner.set_debug(true);
    owner.load(1, quitter, protocol_autodetect, manager.trio());
    EXPECT_TRUE(owner.engine_running());
    // The log holds both starts and both handshakes.
    const std::string log = torvane_test::TempWorkingDir::read_file("engine1.log");
    for (const char* line : {"engine <- uci\n", "engine -> Error (unknown command): uci\n", "engine <- xboard\n",
                             "engine <- protover 2\n", "engine -> feature myname"}) {
        EXPECT_NE(log.find(line), std::string::npos) << line << log;
    }
    EXPECT_FALSE(owner.is_uci());
    EXPECT_EQ(owner.copy_enginevariables().get_protocol(), protocol_xboard_v2);
    EXPECT_EQ(owner.get_idname(), "Quitter 1.0");
    EXPECT_EQ(torvane_test::scripted_engine_input(quitter, 6),
              "uci\nxboard\nprotover 2\naccepted myname\naccepted usermove\naccepted done\n");
    owner.set_token(3);
    owner.set_white(false);
    ChessPosition position;
    position.set_start_position();
    position.make_move(position.convert_to_move("e2e4"));
    owner.set_position(position);
    owner.go();
    EXPECT_EQ(forwarded(manager, "1 3 bestmove"), "1 3 bestmove e7e5");

    auto begin = std::chrono::steady_clock::now();
    owner.load(1, "/bin/false", protocol_autodetect, manager.trio());
    EXPECT_FALSE(owner.engine_running());
    EXPECT_LT(std::chrono::steady_clock::now() - begin, scaled_below(1s, uci_probe_time));
    owner.unload_engine();
    std::filesystem::remove_all(dir);
}

// Options written to an engine whose input pipe is full wait out the write
// bound; meanwhile the window's thread still reads the settings at once.
struct SettingsWrite {
    const char* name;
    void (*write)(GuiEngine& owner, std::map<std::string, Option> options);
};

void PrintTo(const SettingsWrite& c, std::ostream* out) { *out << c.name; }

class GuiEngineSettingsWrite : public testing::TestWithParam<SettingsWrite> {};

TEST_P(GuiEngineSettingsWrite, LeavesTheSettingsReadableWhileThePipeIsFull)
{
    setenv("TORVANE_FAKE_MODE", "deaf", 1);
    EngineReceiver manager;
    GuiEngine owner;
    owner.load(1, fake_engine, protocol_xboard_v1, manager.trio());
    unsetenv("TORVANE_FAKE_MODE");
    // Three lines of 30000 bytes overfill the 64 kB pipe of an engine that
    // never reads.
    std::map<std::string, Option> options;
    for (const char* name : {"Text1", "Text2", "Text3"}) {
        Option option(std::string("option name ") + name + " type string default x");
        option.set_value(std::string(30000, 'v'));
        options[name] = option;
    }
    owner.get_enginevariables().set_options(options);
    std::atomic<bool> done{false};
    std::chrono::steady_clock::duration slowest{};
    std::thread window([&] {
        while (!done) {
            auto begin = std::chrono::steady_clock::now();
            EXPECT_EQ(owner.copy_enginevariables().get_options().size(), 3u);
            EXPECT_EQ(owner.get_options().size(), 3u);
            owner.get_idname();
            slowest = std::max(slowest, std::chrono::steady_clock::now() - begin);
        }
    });
    GetParam().write(owner, options);
    done = true;
    window.join();
    EXPECT_TRUE(owner.engine_crashed());
    // A read held up by a write would wait for most of the write bound.
    EXPECT_LT(slowest, scaled_below(Engio::write_timeout / 4, Engio::write_timeout / 2));
}

INSTANTIATE_TEST_SUITE_P(
    Calls, GuiEngineSettingsWrite,
    testing::Values(SettingsWrite{"set_options",
                                  [](GuiEngine& owner, std::map<std::string, Option> options) {
                                      // Only changed values are sent.
                                      for (auto& entry : options)
                                          entry.second.set_value(std::string(30000, 'w'));
                                      owner.set_options(options);
                                  }},
                    SettingsWrite{"set_enginevariables",
                                  [](GuiEngine& owner, std::map<std::string, Option>) {
                                      owner.set_enginevariables(owner.copy_enginevariables());
                                  }}),
    [](const testing::TestParamInfo<SettingsWrite>& info) { return std::string(info.param.name); });

// The driver thread starts a ponder search on the engine's answer while the
// manager's thread changes level and colour: the ponder search runs under
// the level and colour of the go whose answer it follows.
TEST(GuiEngineSlots, PonderSearchKeepsTheLevelAndColourOfItsGo)
{
    FakeEnvironment environment("e2e4:e7e5 g1f3:b8c6 f1b5:a7a6");
    EngineReceiver manager;
    GuiEngine owner;
    owner.load(1, fake_engine, protocol_uci, manager.trio());
    owner.set_ponder(true);
    owner.set_opponent_time(20000);
    owner.new_game();
    ChessPosition position;
    position.set_start_position();
    for (const auto& [move, reply] : {std::pair{"e2e4", "e7e5"}, {"g1f3", "b8c6"}, {"f1b5", "a7a6"}}) {
        owner.set_level(Level("sudden_death 0 5 0"));
        owner.set_white(true);
        owner.set_position(position);
        owner.go();
        auto deadline = std::chrono::steady_clock::now() + scaled(10s);
        for (int change = 0; owner.get_state() != engine_pondering && std::chrono::steady_clock::now() < deadline;
             ++change) {
            owner.set_level(Level(change % 2 == 0 ? "fixed_depth 3" : "fixed_nodes 500"));
            owner.set_white(change % 2 == 1);
        }
        ASSERT_EQ(owner.get_state(), engine_pondering) << move;
        position.make_move(position.convert_to_move(move));
        position.make_move(position.convert_to_move(reply));
    }
    std::vector<std::string> ponder_lines;
    EXPECT_TRUE(eventually([&] {
        ponder_lines.clear();
        std::istringstream received(environment.received());
        for (std::string line; std::getline(received, line);) {
            if (line.rfind("go ", 0) == 0 && line.find("ponder") != std::string::npos)
                ponder_lines.push_back(line);
        }
        return ponder_lines.size() == 3;
    }));
    for (const std::string& line : ponder_lines) {
        EXPECT_EQ(line.rfind("go wtime ", 0), 0u) << line;
        EXPECT_NE(line.find(" btime 20000 winc 0 binc 0 ponder"), std::string::npos) << line;
    }
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
