#include "engines/protocol_detection.h"

#include "tests/engines/scripted_engine.h"
#include "tests/support/peer_programs.h"
#include "tests/support/test_time.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <thread>
#include <ostream>

namespace {

using namespace std::chrono_literals;
using torvane_test::scaled_below;
using torvane_test::scripted_engine_input;
using torvane_test::scripted_engine_input_ending;
using torvane_test::write_scripted_engine;
constexpr auto first_answer_wait = FirstAnswerWait::first_answer_wait;

const std::string fake_dir = FAKE_ENGINE_DIR;

// One feature line and what it leaves in the settings.
struct FeatureCase {
    const char* what;
    std::string text;
    std::vector<std::string> answers;
    bool done;
};

void PrintTo(const FeatureCase& c, std::ostream* out) { *out << c.what; }

class FeaturePairs : public testing::TestWithParam<FeatureCase> {};

// How many times the text holds "xboard\nprotover 2\n" from offset on, when
// it holds nothing else there; 0 otherwise.
std::size_t repeated_protover_pairs(const std::string& text, std::size_t offset)
{
    const std::string pair = "xboard\nprotover 2\n";
    std::size_t count = 0;
    for (; offset < text.size(); offset += pair.size(), ++count)
        if (text.compare(offset, pair.size(), pair) != 0)
            return 0;
    return count;
}

TEST(FeaturePairsDone, ZeroAsksToWaitAndOneEnds)
{
    EngineVariables ev;
    EXPECT_TRUE(handle_feature_pairs(" done=0", ev).wait_for_done);
    EXPECT_FALSE(handle_feature_pairs(" done=0", ev).done);
    EXPECT_FALSE(handle_feature_pairs(" done=1", ev).wait_for_done);
    EXPECT_FALSE(handle_feature_pairs(" ping=1", ev).wait_for_done);
}

TEST_P(FeaturePairs, AreAnsweredInOrder)
{
    EngineVariables ev;
    FeatureReply reply = handle_feature_pairs(GetParam().text, ev);
    EXPECT_EQ(reply.answers, GetParam().answers);
    EXPECT_EQ(reply.done, GetParam().done);
    EXPECT_EQ(ev.get_protocol(), protocol_xboard_v2);
}

INSTANTIATE_TEST_SUITE_P(
    Lines, FeaturePairs,
    testing::Values(
        FeatureCase{"done_in_the_middle", " ping=1 done=1 san=1",
                    {"accepted ping", "accepted done"}, true},
        FeatureCase{"done_zero_goes_on", " done=0 myname=\"X\"", {"accepted done", "accepted myname"}, false},
        FeatureCase{"unknown_names_are_accepted", " foo=bar variants=\"normal,wildcastle\"",
                    {"accepted foo", "accepted variants"}, false},
        FeatureCase{"option_is_not_answered", " option=\"Hash -spin 16 1 1024\"", {}, false},
        FeatureCase{"unterminated_quote_ends_at_the_line", " myname=\"Open Ended", {"accepted myname"}, false},
        FeatureCase{"trailing_blanks", " ping=1   ", {"accepted ping"}, false},
        FeatureCase{"name_without_value", " sigint", {"accepted sigint"}, false}),
    [](const testing::TestParamInfo<FeatureCase>& info) { return std::string(info.param.what); });

TEST(FeatureValues, AreRecorded)
{
    EngineVariables ev;
    handle_feature_pairs(" ping=2 time=0 setboard=1 usermove=1 san=1 reuse=0 myname=\"Deep  Quoted 2.0\" egt=\"syzygy,gaviota\" smp=1 memory=1 colors=1 nps=0",
                         ev);
    EXPECT_FALSE(ev.features().ping);
    EXPECT_FALSE(ev.features().time);
    EXPECT_TRUE(ev.features().setboard);
    EXPECT_TRUE(ev.features().usermove);
    EXPECT_TRUE(ev.features().san);
    EXPECT_FALSE(ev.features().reuse);
    EXPECT_TRUE(ev.features().colors);
    EXPECT_TRUE(ev.features().smp);
    EXPECT_TRUE(ev.features().memory);
    EXPECT_EQ(ev.get_idname(), "Deep  Quoted 2.0");
    EXPECT_EQ(ev.get_name(), "Deep  Quoted 2.0");
    EXPECT_EQ(ev.get_egt(), "syzygy,gaviota");
    auto options = ev.get_options();
    ASSERT_EQ(options.size(), 2u);
    EXPECT_EQ(options["xboard_threads"].get_max(), "64");
    EXPECT_EQ(options["xboard_memory"].get_default(), "128");
}

// An engine process whose output goes to a handshake queue, as while loading.
class Handshake {
public:
    explicit Handshake(const std::string& path)
    {
        m_queue.set_mutex(&m_mutex);
        m_queue.set_cv(&m_cv);
        m_queue.set_queue(&m_lines);
        m_engio.set_cvtrio(m_queue);
        m_engio.spawn_engine(path);
        if (m_engio.spawned()) {
            m_reader = std::thread([this] { m_engio(); });
        }
    }
    ~Handshake()
    {
        m_engio.quit();
        if (m_reader.joinable()) {
            m_reader.join();
        }
    }
    // Runs detection and returns how long it took.
    std::chrono::milliseconds detect(int protocol, const EngineRestart& restart = {},
                                     const HandshakeCancel& cancel = {})
    {
        auto start = std::chrono::steady_clock::now();
        m_completed = detect_protocol(m_engio, m_ev, protocol, m_queue, restart, cancel);
        return std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - start);
    }
    EngineVariables& ev() { return m_ev; }
    // Whether the last detection ran to its end, not cancelled.
    bool completed() const { return m_completed; }

private:
    bool m_completed = false;
    std::mutex m_mutex;
    std::condition_variable m_cv;
    std::deque<std::string> m_lines;
    CVTrio m_queue;
    Engio m_engio;
    EngineVariables m_ev;
    std::thread m_reader;
};

class ScriptedDetection : public testing::Test {
protected:
    std::string m_dir = torvane_test::make_temp_dir("torvane-detect");
    ~ScriptedDetection() override { std::filesystem::remove_all(m_dir); }
};

TEST_F(ScriptedDetection, SeventyOptionLinesBeforeUciokStillMeanUci)
{
    std::string path = write_scripted_engine(m_dir, "many", R"(    uci) echo "id name   Many    Knobs  3 "
         echo "id author  A. Author"
         i=1; while [ $i -le 70 ]; do echo "option name Knob $i type spin default $i min 0 max 100"; i=$((i+1)); done
         echo "info string ready uciok" ;;)");
    Handshake handshake(path);
    auto took = handshake.detect(protocol_autodetect);
    EXPECT_TRUE(handshake.ev().is_uci());
    EXPECT_EQ(handshake.ev().get_protocol(), protocol_uci);
    EXPECT_EQ(handshake.ev().get_idname(), "Many Knobs 3");
    EXPECT_EQ(handshake.ev().get_author(), "  A. Author");
    auto options = handshake.ev().get_options();
    ASSERT_EQ(options.size(), 70u);
    EXPECT_EQ(options["Knob 70"].get_default(), "70");
    EXPECT_LT(took, scaled_below(2000ms, uci_probe_time));
    EXPECT_EQ(scripted_engine_input(path, 1), "uci\n");
}

TEST_F(ScriptedDetection, ThreeHundredOptionsBeforeUciok)
{
    Handshake handshake(fake_dir + "/fake_engine_many_options");
    handshake.detect(protocol_autodetect);
    EXPECT_TRUE(handshake.ev().is_uci());
    EXPECT_EQ(handshake.ev().get_options().size(), 304u);
}

TEST_F(ScriptedDetection, SlowUciHandshakeWithinTheBound)
{
    setenv("TORVANE_FAKE_DELAY_MS", "1500", 1);
    Handshake handshake(fake_dir + "/fake_engine_slow");
    handshake.detect(protocol_autodetect);
    unsetenv("TORVANE_FAKE_DELAY_MS");
    EXPECT_TRUE(handshake.ev().is_uci());
    EXPECT_EQ(handshake.ev().get_idname(), "FakeEngine 1.0");
    EXPECT_EQ(handshake.ev().get_options().size(), 4u);
}

TEST_F(ScriptedDetection, FeaturesSpreadOverLinesWithQuotes)
{
    std::string path = write_scripted_engine(m_dir, "xb2", R"(    protover*) echo 'feature ping=1 setboard=1'
         sleep 0.3
         echo 'feature myname="Spread  Out 1.2" usermove=1 san=0'
         echo 'tellics say hello'
         echo 'feature option="Hash -spin 64 1 4096" time=1 done=1 colors=1' ;;)");
    Handshake handshake(path);
    handshake.detect(protocol_autodetect);
    EXPECT_FALSE(handshake.ev().is_uci());
    EXPECT_EQ(handshake.ev().get_protocol(), protocol_xboard_v2);
    EXPECT_EQ(handshake.ev().get_idname(), "Spread  Out 1.2");
    EXPECT_TRUE(handshake.ev().features().ping);
    EXPECT_TRUE(handshake.ev().features().setboard);
    EXPECT_TRUE(handshake.ev().features().usermove);
    EXPECT_FALSE(handshake.ev().features().colors);
    EXPECT_EQ(scripted_engine_input(path, 10), "uci\nxboard\nprotover 2\naccepted ping\naccepted setboard\n"
                                           "accepted myname\naccepted usermove\naccepted san\naccepted time\n"
                                           "accepted done\n");
}

TEST_F(ScriptedDetection, UnterminatedQuoteIsReadToTheEndOfTheLine)
{
    std::string path = write_scripted_engine(m_dir, "quote", R"(    protover*) echo 'feature myname="Never Closed'
         echo 'feature done=1' ;;)");
    Handshake handshake(path);
    handshake.detect(protocol_xboard_v2);
    EXPECT_EQ(handshake.ev().get_idname(), "Never Closed");
    EXPECT_EQ(handshake.ev().get_protocol(), protocol_xboard_v2);
}

TEST_F(ScriptedDetection, AnEngineThatSaysNothingBecomesXboardVersionOne)
{
    std::string path = write_scripted_engine(m_dir, "mute", "    nothing) ;;");
    Handshake handshake(path);
    auto took = handshake.detect(protocol_autodetect);
    EXPECT_FALSE(handshake.ev().is_uci());
    EXPECT_EQ(handshake.ev().get_protocol(), protocol_xboard_v1);
    // A first answer would have been heard until 15 s after the start.
    EXPECT_GE(took, 15000ms);
    EXPECT_LT(took, first_answer_wait + scaled_below(1500ms, xboard_probe_time));
    // The silent engine, which read each line at once, was asked again a
    // few times, and the closing "xboard" selects version 1.
    const std::string input = scripted_engine_input_ending(path, "xboard");
    const std::string head = "uci\nxboard\nprotover 2\n";
    const std::string tail = "xboard\n";
    ASSERT_GT(input.size(), head.size() + tail.size());
    EXPECT_EQ(input.substr(0, head.size()), head);
    EXPECT_EQ(input.substr(input.size() - tail.size()), tail);
    const std::string repeats = input.substr(0, input.size() - tail.size());
    const std::size_t pairs = repeated_protover_pairs(repeats, head.size());
    EXPECT_GE(pairs, 3u) << input;
    EXPECT_LE(pairs, std::size_t(protover_repeat_limit)) << input;
}

// Engines that answer "protover" only once a later line has come (as
// gnuchess does) are asked again once they have read it, and found to
// speak xboard version 2.
TEST_F(ScriptedDetection, AnEngineThatLosesTheFirstProtoverIsAskedAgain)
{
    const std::string flag = m_dir + "/started";
    std::string path = write_scripted_engine(m_dir, "losing", "    protover*) if [ -e '" + flag +
                                                                  "' ]; then echo 'feature usermove=1 done=1'; "
                                                                  "else touch '" + flag + "'; fi ;;");
    Handshake handshake(path);
    auto took = handshake.detect(protocol_autodetect);
    EXPECT_EQ(handshake.ev().get_protocol(), protocol_xboard_v2);
    EXPECT_TRUE(handshake.ev().features().usermove);
    EXPECT_LT(took, scaled_below(6000ms, first_answer_wait));
}

// "done=0" asks for time: a "done=1" seven seconds later still counts, while
// an engine that never sent "done=0" is not waited for beyond the usual time.
TEST_F(ScriptedDetection, DoneZeroWaitsForALateDoneOne)
{
    std::string path = write_scripted_engine(
        m_dir, "slow", "    protover*) echo 'feature done=0 myname=\"Slow Starter\"'; "
                       "(sleep 7; echo 'feature usermove=1 setboard=1'; echo 'feature done=1') & ;;");
    Handshake handshake(path);
    auto took = handshake.detect(protocol_autodetect);
    EXPECT_EQ(handshake.ev().get_protocol(), protocol_xboard_v2);
    EXPECT_TRUE(handshake.ev().features().usermove);
    EXPECT_TRUE(handshake.ev().features().setboard);
    EXPECT_EQ(handshake.ev().get_idname(), "Slow Starter");
    EXPECT_GE(took, 3000ms + 7000ms);
    // Waiting out the whole wait for "done=1" would take 3 + 15 s: kept as is.
    EXPECT_LT(took, 3000ms + 15000ms);
}

TEST_F(ScriptedDetection, DoneZeroWithoutDoneOneEndsAtTheLongerBound)
{
    std::string path = write_scripted_engine(m_dir, "stuck", "    protover*) echo 'feature done=0' ;;");
    Handshake handshake(path);
    auto took = handshake.detect(protocol_xboard_v2);
    EXPECT_EQ(handshake.ev().get_protocol(), protocol_xboard_v2);
    EXPECT_GE(took, 15000ms);
    EXPECT_LT(took, xboard_done_wait_time + scaled_below(2000ms, uci_probe_time));
}

// A program that exits at once ends every probe as soon as its end is seen
// (waiting out the probe times would take 15 s under autodetect); only autodetect
// asks for a restart, once.
TEST(DeadEngine, EndsEveryProbeAtOnce)
{
    for (int protocol : {protocol_autodetect, protocol_uci, protocol_xboard_v1, protocol_xboard_v2}) {
        Handshake handshake("/bin/false");
        int restarts = 0;
        EXPECT_LT(handshake.detect(protocol, [&restarts] { ++restarts; }), scaled_below(1000ms, uci_probe_time))
            << protocol;
        EXPECT_FALSE(handshake.ev().is_uci());
        EXPECT_EQ(restarts, protocol == protocol_autodetect ? 1 : 0) << protocol;
    }
}

// A cancel ends every handshake at once, and nothing more is sent.
TEST_F(ScriptedDetection, ACancelEndsEveryHandshakeAtOnce)
{
    std::string path = write_scripted_engine(m_dir, "mute", "    nothing) ;;");
    for (int protocol : {protocol_autodetect, protocol_uci, protocol_xboard_v2}) {
        Handshake handshake(path);
        const auto cancel_at = std::chrono::steady_clock::now() + 300ms;
        const auto took =
            handshake.detect(protocol, {}, [cancel_at] { return std::chrono::steady_clock::now() >= cancel_at; });
        EXPECT_FALSE(handshake.completed()) << protocol;
        EXPECT_LT(took, torvane_test::scaled(1000ms)) << protocol;
    }
}

// A chosen protocol waits longer for the first answer: "uciok" from a UCI
// engine that says nothing ends the handshake after the longer bound.
TEST_F(ScriptedDetection, ConfiguredUciOnAnEngineThatDoesNotAnswer)
{
    std::string path = write_scripted_engine(m_dir, "mute", "    nothing) ;;");
    Handshake handshake(path);
    auto took = handshake.detect(protocol_uci);
    EXPECT_FALSE(handshake.ev().is_uci());
    EXPECT_EQ(handshake.ev().get_protocol(), protocol_autodetect);
    EXPECT_GE(took, 15000ms);
    EXPECT_LT(took, first_answer_wait + scaled_below(2000ms, uci_probe_time));
    EXPECT_EQ(scripted_engine_input(path, 1), "uci\n");
}

// An engine that reads its input only seconds after it starts (as one
// behind a wrapper): UCI found by autodetection while the xboard handshake
// runs, and each chosen protocol's handshake waits for it; a first feature
// line after the usual time starts that time afresh, so "done=1" is heard.
TEST(LateEngine, IsFoundWithItsNameAndOptions)
{
    const struct {
        int protocol;
        const char* start_ms;
        std::chrono::milliseconds took;
    } cases[] = {{protocol_autodetect, "4000", 4000ms}, {protocol_uci, "4000", 4000ms},
                 {protocol_xboard_v2, "6000", 6000ms}};
    const std::string record = torvane_test::make_temp_dir("torvane-late") + "/received";
    setenv("TORVANE_FAKE_RECORD", (record + ".in").c_str(), 1);
    for (const auto& c : cases) {
        setenv("TORVANE_FAKE_START_MS", c.start_ms, 1);
        std::filesystem::remove(record + ".in");
        Handshake handshake(fake_dir + "/fake_engine_late");
        auto took = handshake.detect(c.protocol);
        const bool uci = c.protocol != protocol_xboard_v2;
        EXPECT_EQ(handshake.ev().is_uci(), uci) << c.protocol;
        EXPECT_EQ(handshake.ev().get_protocol(), uci ? protocol_uci : protocol_xboard_v2) << c.protocol;
        EXPECT_EQ(handshake.ev().get_idname(), "FakeEngine 1.0") << c.protocol;
        EXPECT_EQ(handshake.ev().get_options().size(), uci ? 4u : 0u) << c.protocol;
        EXPECT_GE(took, c.took) << c.protocol;
        EXPECT_LT(took, c.took + scaled_below(1500ms, uci_probe_time)) << c.protocol;
        if (!uci) {
            // Nothing was sent again while the engine did not read.
            const std::string input = scripted_engine_input_ending(record, "accepted done");
            EXPECT_TRUE(input.ends_with("accepted done\n"));
            EXPECT_EQ(input.rfind("xboard\nprotover 2\n", 0), 0u) << input;
            EXPECT_EQ(input.find("protover", 12), std::string::npos) << input;
        }
    }
    unsetenv("TORVANE_FAKE_START_MS");
    unsetenv("TORVANE_FAKE_RECORD");
    std::filesystem::remove_all(std::filesystem::path(record).parent_path());
}

// A configured protocol runs its own handshake only.
struct ConfiguredCase {
    const char* engine;
    int protocol;
    bool uci;
    int detected;
    const char* sent;
};

void PrintTo(const ConfiguredCase& c, std::ostream* out) { *out << c.engine << " protocol " << c.protocol; }

class ConfiguredProtocol : public testing::TestWithParam<ConfiguredCase> {};

TEST_P(ConfiguredProtocol, RunsOnlyItsHandshake)
{
    const ConfiguredCase& c = GetParam();
    std::string dir = torvane_test::make_temp_dir("torvane-configured");
    std::string record = dir + "/received";
    setenv("TORVANE_FAKE_RECORD", (record + ".in").c_str(), 1);
    {
        Handshake handshake(fake_dir + "/" + c.engine);
        handshake.detect(c.protocol);
        EXPECT_EQ(handshake.ev().is_uci(), c.uci);
        EXPECT_EQ(handshake.ev().get_protocol(), c.detected);
    }
    unsetenv("TORVANE_FAKE_RECORD");
    std::string received = scripted_engine_input(record);
    EXPECT_EQ(received.substr(0, std::string(c.sent).size()), c.sent);
    std::filesystem::remove_all(dir);
}

INSTANTIATE_TEST_SUITE_P(
    Codes, ConfiguredProtocol,
    testing::Values(ConfiguredCase{"fake_engine", protocol_uci, true, protocol_uci, "uci\nquit\n"},
                    ConfiguredCase{"fake_engine", protocol_xboard_v2, false, protocol_xboard_v2,
                                   "xboard\nprotover 2\naccepted ping\n"},
                    ConfiguredCase{"fake_engine", protocol_xboard_v1, false, protocol_xboard_v1, "xboard\nquit\n"},
                    ConfiguredCase{"fake_engine", 7, false, protocol_autodetect, "quit\n"}));

}
