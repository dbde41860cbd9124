// The values that decide how long a starting engine is waited for, and the
// words that say how one that failed to start ended.
#include "engines/engine_end_text.h"
#include "engines/first_answer_wait.h"

#include <gtest/gtest.h>

#include <csignal>
#include <optional>
#include <ostream>

namespace {

using namespace std::chrono_literals;

struct WaitCase {
    const char* what;
    std::optional<std::chrono::milliseconds> first_line;
    std::optional<std::chrono::milliseconds> last_line;
    std::chrono::milliseconds deadline;
};

void PrintTo(const WaitCase& c, std::ostream* out) { *out << c.what; }

class FirstAnswerDeadline : public testing::TestWithParam<WaitCase> {};

TEST_P(FirstAnswerDeadline, CountsFromTheStartAndTheLatestLine)
{
    const WaitCase& c = GetParam();
    const auto started = FirstAnswerWait::Clock::now();
    FirstAnswerWait wait(started);
    for (const auto& line : {c.first_line, c.last_line}) {
        if (line) {
            wait.heard(started + *line);
        }
    }
    EXPECT_EQ(wait.deadline() - started, c.deadline);
}

INSTANTIATE_TEST_SUITE_P(
    Lines, FirstAnswerDeadline,
    testing::Values(WaitCase{"silent", std::nullopt, std::nullopt, 15000ms},
                    WaitCase{"banner_at_the_start", 100ms, std::nullopt, 18000ms},
                    WaitCase{"talking_at_fourteen_seconds", 2000ms, 14000ms, 18000ms},
                    WaitCase{"talking_after_the_usual_wait", 2000ms, 20000ms, 23000ms},
                    WaitCase{"talking_to_the_end", 2000ms, 29000ms, 30000ms}),
    [](const testing::TestParamInfo<WaitCase>& info) { return std::string(info.param.what); });

struct EndCase {
    const char* what;
    EngineEnd end;
    const char* words;
};

void PrintTo(const EndCase& c, std::ostream* out) { *out << c.what; }

class EngineEndWords : public testing::TestWithParam<EndCase> {};

TEST_P(EngineEndWords, SayWhatWasSeen) { EXPECT_EQ(engine_end_text(GetParam().end), GetParam().words); }

INSTANTIATE_TEST_SUITE_P(
    Ends, EngineEndWords,
    testing::Values(EndCase{"status", {1 << 8, false, "uci", true, 200ms}, "it ended with status 1 after \"uci\""},
                    EndCase{"signal", {SIGSEGV, false, "protover 2", true, 200ms},
                            "it was killed by signal 11 (Segmentation fault) after \"protover 2\""},
                    EndCase{"silent", {0, false, "xboard", false, 15400ms},
                            "it ended with status 0 after \"xboard\"; it wrote nothing in 15 s"},
                    EndCase{"silent_at_once", {1 << 8, false, "uci", false, 30ms},
                            "it ended with status 1 after \"uci\"; it wrote nothing"},
                    EndCase{"closed_its_output", {SIGTERM, true, "", true, 3000ms},
                            "it closed its output and was ended"}),
    [](const testing::TestParamInfo<EndCase>& info) { return std::string(info.param.what); });

}
