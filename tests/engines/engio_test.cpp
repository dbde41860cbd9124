#include "engines/engio.h"

#include "tests/engines/engine_receiver.h"
#include "tests/support/peer_programs.h"
#include "tests/support/test_time.h"

#include <gtest/gtest.h>

#include <atomic>
#include <cerrno>
#include <cstdlib>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <functional>
#include <map>
#include <optional>
#include <sstream>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>
#include <ostream>

namespace {

using namespace std::chrono_literals;
using torvane_test::EngineReceiver;
using torvane_test::eventually;
using torvane_test::scaled;
using torvane_test::scaled_below;
using Lines = std::vector<std::string>;

const std::string fake_dir = FAKE_ENGINE_DIR;
const std::string fake_engine = fake_dir + "/fake_engine";

std::string read_file(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

// The arrival stamp of a line that is the text followed by " TS=" and digits;
// nullopt for any other line.
std::optional<std::uint64_t> stamp_after(const std::string& line, const std::string& text)
{
    std::string head = text + " TS=";
    if (line.compare(0, head.size(), head) != 0 || line.size() == head.size() ||
        line.find_first_not_of("0123456789", head.size()) != std::string::npos) {
        return std::nullopt;
    }
    return std::stoull(line.substr(head.size()));
}

bool is_log_line(const std::string& line)
{
    return line.size() > 12 && line.find_first_not_of("0123456789") == 5 && line[5] == '.' &&
           line.find_first_not_of("0123456789", 6) == 9 && line.compare(9, 3, "   ") == 0;
}

// True when this process has no child left, neither running nor a zombie.
bool no_children()
{
    int status = 0;
    return waitpid(-1, &status, WNOHANG) == -1 && errno == ECHILD;
}

// How often the kernel has switched the thread out, by its own wish or not.
long context_switches(pid_t thread)
{
    std::ifstream status("/proc/self/task/" + std::to_string(thread) + "/status");
    long total = 0;
    for (std::string line; std::getline(status, line);) {
        if (line.find("ctxt_switches:") != std::string::npos) {
            total += std::stol(line.substr(line.find(':') + 1));
        }
    }
    return total;
}

bool thread_ended(pid_t thread) { return !std::filesystem::exists("/proc/self/task/" + std::to_string(thread)); }

// This process's open descriptors and what each refers to.
std::map<int, std::string> open_descriptors()
{
    std::map<int, std::string> open;
    for (const auto& entry : std::filesystem::directory_iterator("/proc/self/fd")) {
        std::error_code gone;
        const std::string target = std::filesystem::read_symlink(entry.path(), gone).string();
        // The listing's own descriptor is no one's.
        if (!gone && target.rfind("/proc/", 0) != 0) {
            open[std::stoi(entry.path().filename().string())] = target;
        }
    }
    return open;
}

class EngioTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_dir = torvane_test::make_temp_dir("engio");
        m_record = m_dir + "/received.txt";
        m_log = m_dir + "/engine.log";
        for (const char* name : {"TORVANE_FAKE_MODE", "TORVANE_FAKE_MOVES", "TORVANE_FAKE_DELAY_MS"}) {
            unsetenv(name);
        }
        setenv("TORVANE_FAKE_RECORD", m_record.c_str(), 1);
    }

    void TearDown() override
    {
        m_engio.quit();
        if (m_reader.joinable()) {
            m_reader.join();
        }
        std::filesystem::remove_all(m_dir);
    }

    // Spawns the program with the reader thread running and logging on.
    void start(const std::string& path = fake_engine)
    {
        m_engio.set_cvtrio(m_receiver.trio());
        m_engio.open_log(m_log);
        m_engio.spawn_engine(path);
        ASSERT_TRUE(m_engio.spawned()) << read_file(m_log);
        m_reader_thread = 0;
        m_reader = std::thread([this] {
            m_reader_thread = gettid();
            m_engio();
        });
        ASSERT_TRUE(eventually([this] { return m_reader_thread != 0; }));
    }

    // The lines that an output form turns into: the form is emitted, then a
    // marker line, and everything before the marker is returned.
    Lines lines_of(const std::string& emit)
    {
        m_engio("emit " + emit);
        m_engio("echo END-OF-CASE");
        Lines lines = m_receiver.lines_until("END-OF-CASE");
        EXPECT_FALSE(lines.empty()) << "marker not received for " << emit;
        if (!lines.empty()) {
            lines.pop_back();
        }
        return lines;
    }

    bool recorded(const std::string& text)
    {
        return eventually([&] { return read_file(m_record) == text; });
    }

    std::string m_dir;
    std::string m_record;
    std::string m_log;
    EngineReceiver m_receiver;
    Engio m_engio;
    std::thread m_reader;
    std::atomic<pid_t> m_reader_thread{0};
};

TEST_F(EngioTest, HandshakeLinesArriveInOrder)
{
    start();
    EXPECT_TRUE(m_engio.is_running());
    m_engio("uci");
    Lines lines = m_receiver.lines_until("uciok");
    ASSERT_GE(lines.size(), 3u);
    EXPECT_EQ(lines[0], "id name FakeEngine 1.0");
    EXPECT_EQ(lines[1], "id author Torvane Tests");
    EXPECT_EQ(lines.back(), "uciok");
}

TEST_F(EngioTest, SentLinesReachTheEngineExactly)
{
    start();
    m_engio("uci");
    m_engio("");
    m_engio("position startpos\n");
    m_engio("isready");
    ASSERT_FALSE(m_receiver.lines_until("readyok").empty());
    m_engio.quit();
    EXPECT_TRUE(recorded("uci\nposition startpos\nisready\nquit\n"));
    EXPECT_FALSE(m_engio.crashed());
}

TEST_F(EngioTest, ExeSuffixSendsCrLf)
{
    start(fake_dir + "/fake_engine.exe");
    m_engio("uci");
    m_engio("isready\n");
    ASSERT_FALSE(m_receiver.lines_until("readyok").empty());
    m_engio("echo tail\r");
    m_engio.quit();
    EXPECT_TRUE(recorded("uci\r\nisready\necho tail\rquit\r\n"));
}

TEST_F(EngioTest, OnlyAnExactLowerCaseExeSuffixChoosesCrLf)
{
    ASSERT_EQ(chdir(m_dir.c_str()), 0);
    for (const char* name : {".exe", "engine.EXE"}) {
        std::filesystem::create_symlink(fake_engine, m_dir + "/" + name);
        std::filesystem::remove(m_record);
        start(name);
        m_engio("isready");
        ASSERT_FALSE(m_receiver.lines_until("readyok").empty());
        EXPECT_TRUE(recorded("isready\n")) << name;
        m_engio.quit();
        m_reader.join();
        m_engio.reset_flags();
    }
}

TEST_F(EngioTest, EngineCrLfOutputSwitchesLaterLinesToCrLf)
{
    start();
    m_engio("isready");
    ASSERT_FALSE(m_receiver.lines_until("readyok").empty());
    m_engio("emit crlf");
    EXPECT_EQ(m_receiver.next_line(), "windows");
    m_engio("isready");
    ASSERT_FALSE(m_receiver.lines_until("readyok").empty());
    EXPECT_TRUE(recorded("isready\nemit crlf\nisready\r\n"));
}

struct OutputCase {
    const char* emit;
    Lines lines;
};

void PrintTo(const OutputCase& c, std::ostream* out) { *out << c.emit; }

class EngioOutput : public EngioTest, public ::testing::WithParamInterface<OutputCase> {};

TEST_P(EngioOutput, IsSplitIntoTheRightLines)
{
    start();
    EXPECT_EQ(lines_of(GetParam().emit), GetParam().lines);
    EXPECT_TRUE(m_engio.is_running());
}

Lines numbered_lines(int count)
{
    Lines lines;
    for (int i = 1; i <= count; ++i) {
        lines.push_back("info string line " + std::to_string(i));
    }
    return lines;
}

INSTANTIATE_TEST_SUITE_P(
    Garbage, EngioOutput,
    ::testing::Values(OutputCase{"binary", {std::string("bin\x01\x02\x7f\xff\xfe\0end", 12)}},
                      OutputCase{"long40960", {"L" + std::string(40959, 'x')}},
                      OutputCase{"cr", {"one", "two", "three"}},
                      OutputCase{"crcrlf", {"alpha", "beta"}},
                      OutputCase{"crcrlf_split", {"gamma", "delta"}},
                      OutputCase{"blank", {"before", "", "after"}},
                      OutputCase{"split", {"first line", "second line"}},
                      OutputCase{"many2000", numbered_lines(2000)}),
    [](const auto& info) {
        std::string name = info.param.emit;
        return name;
    });

TEST_F(EngioTest, CompleteLineIsForwardedBeforeTheRestArrives)
{
    start();
    m_engio("emit partial");
    EXPECT_EQ(m_receiver.next_line(), "done one");
    EXPECT_EQ(m_receiver.queued(), 0u);
    m_engio("finish");
    EXPECT_EQ(m_receiver.next_line(), "half line");
}

TEST_F(EngioTest, LineWithoutFinalLineFeedWaitsForItsEnd)
{
    start();
    m_engio("emit nofinal");
    m_engio("echo !");
    EXPECT_EQ(m_receiver.next_line(), "no end here!");
    EXPECT_EQ(m_receiver.queued(), 0u);
}

TEST_F(EngioTest, UnfinishedLineAtExitIsDroppedAndTheExitIsACrash)
{
    start();
    m_engio("emit nofinal_exit");
    EXPECT_TRUE(eventually([&] { return m_engio.crashed(); }));
    EXPECT_FALSE(m_engio.is_running());
    EXPECT_EQ(m_receiver.queued(), 0u);
    EXPECT_NE(read_file(m_log).find("engine crashed   read bytes=0"), std::string::npos);
}

TEST_F(EngioTest, BestMoveLinesCarryTheArrivalStamp)
{
    setenv("TORVANE_FAKE_MOVES", "e2e4", 1);
    start();
    Timer clock;
    m_engio("go depth 1");
    Lines lines = m_receiver.lines_until("bestmove");
    ASSERT_FALSE(lines.empty());
    std::optional<std::uint64_t> stamp = stamp_after(lines.back(), "bestmove e2e4");
    ASSERT_TRUE(stamp) << lines.back();
    std::uint64_t now = std::stoull(clock.timestamp_ms());
    EXPECT_LE(now - *stamp, 5000u);
    EXPECT_EQ(lines[0].find("TS="), std::string::npos) << "only best-move lines are stamped";

    Lines inside = lines_of("bestmove_inside");
    ASSERT_EQ(inside.size(), 3u);
    EXPECT_TRUE(stamp_after(inside[0], "xx bestmove yy")) << inside[0];
    EXPECT_EQ(inside[1], "bestmov");
    EXPECT_TRUE(stamp_after(inside[2], "bestmove")) << inside[2];
}

TEST_F(EngioTest, CrashIsNoticedWithinAHundredMilliseconds)
{
    setenv("TORVANE_FAKE_MODE", "crash_on_go", 1);
    start();
    m_engio("isready");
    ASSERT_FALSE(m_receiver.lines_until("readyok").empty());
    m_engio("go");
    EXPECT_TRUE(eventually([&] { return m_engio.crashed(); }, 100ms));
    EXPECT_FALSE(m_engio.is_running());
    m_engio.quit();
    EXPECT_TRUE(no_children());
}

TEST_F(EngioTest, NormalQuitIsQuickCleanAndNotACrash)
{
    start();
    m_engio("uci");
    ASSERT_FALSE(m_receiver.lines_until("uciok").empty());
    auto begin = std::chrono::steady_clock::now();
    m_engio.quit();
    EXPECT_LT(std::chrono::steady_clock::now() - begin, scaled_below(1s, Engio::quit_timeout));
    EXPECT_FALSE(m_engio.crashed());
    EXPECT_FALSE(m_engio.spawned());
    EXPECT_FALSE(m_engio.is_running());
    std::string log = read_file(m_log);
    EXPECT_EQ(log.find("crashed"), std::string::npos) << log;
    EXPECT_NE(log.find("Engio::quit() successfull"), std::string::npos);
    EXPECT_TRUE(no_children());
}

TEST_F(EngioTest, ReaderSleepsWhileTheEngineIsSilent)
{
    start();
    m_engio("isready");
    ASSERT_FALSE(m_receiver.lines_until("readyok").empty());
    // Let the reader finish logging the answer and go back to its wait.
    std::this_thread::sleep_for(scaled(100ms));
    const long before = context_switches(m_reader_thread);
    std::this_thread::sleep_for(scaled(500ms));
    EXPECT_LE(context_switches(m_reader_thread) - before, 1) << "the reader woke with nothing to read";
    m_engio("echo awake");
    EXPECT_EQ(m_receiver.next_line(), "awake");
}

struct HungCase {
    const char* mode;
    const char* logged;
    std::chrono::milliseconds slack;  // beyond the quit bound, before the build's scaling
};

void PrintTo(const HungCase& c, std::ostream* out) { *out << c.mode; }

class EngioHung : public EngioTest, public ::testing::WithParamInterface<HungCase> {};

TEST_P(EngioHung, QuitEndsWithinTheBound)
{
    setenv("TORVANE_FAKE_MODE", GetParam().mode, 1);
    start();
    m_engio("isready");
    ASSERT_FALSE(m_receiver.lines_until("readyok").empty());
    auto begin = std::chrono::steady_clock::now();
    m_engio.quit();
    auto took = std::chrono::steady_clock::now() - begin;
    EXPECT_GE(took, Engio::quit_timeout);
    EXPECT_LT(took, Engio::quit_timeout + scaled(GetParam().slack));
    EXPECT_NE(read_file(m_log).find(GetParam().logged), std::string::npos);
    EXPECT_TRUE(no_children());
}

INSTANTIATE_TEST_SUITE_P(Modes, EngioHung,
                         ::testing::Values(HungCase{"hang", "engine did not exit, terminated", 2000ms},
                                           HungCase{"hang_hard", "engine did not terminate, killed", 2500ms}),
                         [](const auto& info) { return std::string(info.param.mode); });

TEST_F(EngioTest, WritingToAClosedInputMarksACrashInsteadOfEndingTheProgram)
{
    setenv("TORVANE_FAKE_MODE", "close_input", 1);
    start();
    m_engio("uci");
    ASSERT_FALSE(m_receiver.lines_until("info string input closed").empty());
    m_engio("isready");
    EXPECT_TRUE(m_engio.crashed());
    EXPECT_FALSE(m_engio.is_running());
}

TEST_F(EngioTest, EngineThatStopsReadingCannotBlockTheSender)
{
    setenv("TORVANE_FAKE_MODE", "deaf", 1);
    start();
    ASSERT_EQ(m_receiver.next_line(), "info string deaf");
    std::string line(Engio::max_command_size, 'z');
    auto begin = std::chrono::steady_clock::now();
    for (int i = 0; i < 4 && !m_engio.crashed(); ++i) {
        m_engio(line);
    }
    EXPECT_TRUE(m_engio.crashed()) << "a full pipe that does not drain counts as a lost engine";
    EXPECT_LT(std::chrono::steady_clock::now() - begin, Engio::write_timeout + scaled(1s));
    EXPECT_TRUE(eventually([&] { return thread_ended(m_reader_thread); }, 1s)) << "the reader stays on a lost engine";
    // A lost engine costs no further write bound, neither on the lines of a
    // search nor on "quit" (which is not written at all).
    begin = std::chrono::steady_clock::now();
    for (const char* later : {"position startpos", "isready", "go depth 1"}) {
        m_engio(later);
    }
    EXPECT_LT(std::chrono::steady_clock::now() - begin, scaled_below(500ms, Engio::write_timeout));
    begin = std::chrono::steady_clock::now();
    m_engio.quit();
    // The least that a written "quit" would take: no slack can be added.
    EXPECT_LT(std::chrono::steady_clock::now() - begin, Engio::quit_timeout + Engio::write_timeout);
    EXPECT_EQ(read_file(m_log).find("engine <- quit"), std::string::npos);
    EXPECT_TRUE(no_children());
}

TEST_F(EngioTest, HelperProcessHoldingTheOutputDoesNotHangQuit)
{
    setenv("TORVANE_FAKE_MODE", "fork_helper", 1);
    start();
    m_engio("isready");
    ASSERT_FALSE(m_receiver.lines_until("readyok").empty());
    auto begin = std::chrono::steady_clock::now();
    m_engio.quit();
    EXPECT_LT(std::chrono::steady_clock::now() - begin, scaled(2500ms));
    EXPECT_FALSE(m_engio.crashed());
    EXPECT_TRUE(no_children());
}

TEST_F(EngioTest, TwoEnginesDoNotHoldEachOthersPipes)
{
    start();
    EngineReceiver second_receiver;
    Engio second;
    second.set_cvtrio(second_receiver.trio());
    second.spawn_engine(fake_engine);
    ASSERT_TRUE(second.spawned());
    std::thread second_reader(std::ref(second));
    m_engio("echo first");
    second("echo second");
    EXPECT_EQ(m_receiver.next_line(), "first");
    EXPECT_EQ(second_receiver.next_line(), "second");

    auto begin = std::chrono::steady_clock::now();
    m_engio.quit();
    EXPECT_LT(std::chrono::steady_clock::now() - begin, scaled_below(1s, Engio::quit_timeout))
        << "the first engine saw the end of its input";
    second("echo still here");
    EXPECT_EQ(second_receiver.next_line(), "still here");
    second.quit();
    second_reader.join();
    EXPECT_FALSE(second.crashed());
}

TEST_F(EngioTest, LongestCommandIsSentAndALongerOneRefused)
{
    start();
    std::string longest = "echo " + std::string(Engio::max_command_size - 5, 'y');
    m_engio(longest);
    m_engio(longest + "y");
    m_engio("isready");
    ASSERT_FALSE(m_receiver.lines_until("readyok").empty());
    EXPECT_TRUE(recorded(longest + "\nisready\n"));
    EXPECT_NE(read_file(m_log).find("command from interface too big   size=32768"), std::string::npos);
}

TEST_F(EngioTest, ReplacedTrioReceivesTheLaterLines)
{
    start();
    m_engio("echo one");
    EXPECT_EQ(m_receiver.next_line(), "one");
    EngineReceiver other;
    m_engio.set_cvtrio(other.trio());
    m_engio("echo two");
    EXPECT_EQ(other.next_line(), "two");
    EXPECT_EQ(m_receiver.queued(), 0u);
}

TEST_F(EngioTest, LogLinesAreStampedAndNamedAfterTheEngineNumber)
{
    ASSERT_EQ(chdir(m_dir.c_str()), 0);
    m_engio.set_number(2);
    m_engio.set_debug(true);
    m_engio.set_cvtrio(m_receiver.trio());
    m_engio.spawn_engine(fake_engine);
    ASSERT_TRUE(m_engio.spawned());
    m_reader = std::thread(std::ref(m_engio));
    m_engio("echo hello");
    ASSERT_EQ(m_receiver.next_line(), "hello");
    m_engio.quit();
    std::ifstream log(m_dir + "/engine2.log");
    Lines lines;
    for (std::string line; std::getline(log, line);) {
        lines.push_back(line);
    }
    for (const std::string& line : lines) {
        EXPECT_TRUE(is_log_line(line)) << line;
    }
    auto has = [&](const std::string& text) {
        return std::any_of(lines.begin(), lines.end(), [&](const std::string& l) { return l.substr(9) == text; });
    };
    EXPECT_TRUE(has("   Engio::spawn_engine(" + fake_engine + ")"));
    EXPECT_TRUE(has("   Engio::spawn_engine() carriage return false"));
    EXPECT_TRUE(has("   engine <- echo hello"));
    EXPECT_TRUE(has("   engine -> hello"));
    EXPECT_TRUE(has("   engine <- quit"));
    EXPECT_TRUE(has("   Engio::quit() successfull"));
}

TEST_F(EngioTest, SecondLineOfABatchIsLoggedWithItsPosition)
{
    start();
    EXPECT_EQ(lines_of("blank").size(), 3u);
    std::string log = read_file(m_log);
    EXPECT_NE(log.find("   engine -> before\n"), std::string::npos);
    EXPECT_NE(log.find("   engine -> after   {cnt=3} \n"), std::string::npos) << log;
}

class EngioRefused : public EngioTest, public ::testing::WithParamInterface<const char*> {};

TEST_P(EngioRefused, SpawnFailsCleanly)
{
    std::string path = GetParam();
    if (path == "missing") {
        path = m_dir + "/no_such_engine";
    } else if (path == "not_executable") {
        path = m_dir + "/plain_file";
        std::ofstream(path) << "#!/bin/sh\necho hello\n";
    } else if (path == "directory") {
        path = m_dir;
    } else if (path == "too_long") {
        path = "/" + std::string(999, 'a');
    }
    m_engio.open_log(m_log);
    const auto descriptors = open_descriptors();
    EXPECT_NO_THROW(m_engio.spawn_engine(path));
    EXPECT_EQ(open_descriptors(), descriptors) << "a failed start keeps no descriptor";
    EXPECT_FALSE(m_engio.spawned());
    EXPECT_FALSE(m_engio.is_running());
    m_engio("uci");
    m_engio.quit();
    std::string log = read_file(m_log);
    if (path.size() >= 1000) {
        EXPECT_NE(log.find("filename too long   size=1000"), std::string::npos);
    } else {
        EXPECT_NE(log.find("  FAILED"), std::string::npos) << log;
    }
    EXPECT_EQ(log.find("engine <- uci"), std::string::npos) << "nothing is sent without an engine";
    EXPECT_TRUE(no_children());
}

INSTANTIATE_TEST_SUITE_P(Paths, EngioRefused, ::testing::Values("missing", "not_executable", "directory", "too_long", ""),
                         [](const auto& info) {
                             return std::string(*info.param ? info.param : "empty");
                         });

TEST_F(EngioTest, PathOfNineHundredNinetyNineCharactersIsSpawned)
{
    std::string path = m_dir;
    std::string tail = "/fake_engine";
    while (path.size() + tail.size() + 2 <= 999) {
        path += "/.";
    }
    if (path.size() + tail.size() < 999) {
        path += "/";
    }
    path += tail;
    std::filesystem::create_symlink(fake_engine, m_dir + tail);
    ASSERT_EQ(path.size(), 999u);
    start(path);
    m_engio("isready");
    EXPECT_FALSE(m_receiver.lines_until("readyok").empty());
}

TEST_F(EngioTest, SpawningTwiceThrowsAfterClearingTheMarks)
{
    setenv("TORVANE_FAKE_MODE", "crash_on_go", 1);
    start();
    m_engio("go");
    ASSERT_TRUE(eventually([&] { return m_engio.crashed(); }));
    try {
        m_engio.spawn_engine(fake_engine);
        FAIL();
    } catch (const std::logic_error& e) {
        EXPECT_STREQ(e.what(),
                     "Engio::spawn_engine() trying to spawn an engine while a spawned engine already exists");
    }
    EXPECT_FALSE(m_engio.crashed());
    EXPECT_TRUE(m_engio.spawned());
}

TEST_F(EngioTest, QuitWithoutAnEngineReturnsAtOnce)
{
    auto begin = std::chrono::steady_clock::now();
    m_engio.quit();
    m_engio("isready");
    EXPECT_LT(std::chrono::steady_clock::now() - begin, scaled_below(100ms, Engio::quit_timeout));
    EXPECT_FALSE(m_engio.crashed());
}

TEST_F(EngioTest, QuitBeforeTheReaderStartsLeavesTheReaderNothingToDo)
{
    m_engio.set_cvtrio(m_receiver.trio());
    m_engio.spawn_engine(fake_engine);
    ASSERT_TRUE(m_engio.spawned());
    m_engio.quit();
    m_reader = std::thread(std::ref(m_engio));
    m_reader.join();
    EXPECT_FALSE(m_engio.crashed());
    EXPECT_TRUE(no_children());
}

TEST_F(EngioTest, SameObjectRunsTheEngineAgainAfterQuit)
{
    const auto descriptors = open_descriptors();
    for (int run = 0; run < 3; ++run) {
        start();
        m_engio("echo run " + std::to_string(run));
        EXPECT_EQ(m_receiver.next_line(), "run " + std::to_string(run));
        // Besides the log file, a run opens the engine's pipes and the
        // reader's wake-up: no program started later may inherit them.
        for (const auto& [fd, target] : open_descriptors()) {
            if (descriptors.count(fd) == 0 && target.rfind("/", 0) != 0) {
                EXPECT_TRUE(fcntl(fd, F_GETFD) & FD_CLOEXEC) << target;
            }
        }
        m_engio.quit();
        m_reader.join();
        EXPECT_FALSE(m_engio.reset_flags());
        EXPECT_EQ(open_descriptors(), descriptors) << "run " << run;
    }
    EXPECT_TRUE(no_children());
}

}
