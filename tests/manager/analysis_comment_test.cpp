// The analysis comment of engine moves on worked engine lines.
#include "manager/analysis_comment.h"

#include <gtest/gtest.h>

#include <string>

namespace {

TEST(AnalysisComment, WorkedEngineLines)
{
    const std::string full = "[%eval 0.35][%emt 0:0:2][%acn 123456][%nps 500000][%depth 12]";
    const struct {
        bool white;
        std::string before;
        std::string info;
        std::string after;
    } cases[] = {
        {true, "", " depth 12 seldepth 18 score cp 35 nodes 123456 nps 500000 time 1500 pv e2e4 e7e5", full},
        {false, "", " depth 12 seldepth 18 score cp 35 nodes 123456 nps 500000 time 1500 pv e2e4 e7e5",
         "[%eval -0.35][%emt 0:0:2][%acn 123456][%nps 500000][%depth 12]"},
        // A score replaces the comment; scores are from White's point of view.
        {true, full, " score mate 3", "[%eval #3]"},
        {false, "", " score mate 3", "[%eval #-3]"},
        {false, "", " score mate -3", "[%eval #3]"},
        {true, "", " score cp -130", "[%eval -1.3]"},
        {true, "", " score cp 100", "[%eval 1]"},
        {false, "", " score cp 0", "[%eval 0]"},
        // Times: above one second only; rounded to whole seconds.
        {true, "", " time 1000", ""},
        {true, "", " time 1001", "[%emt 0:0:1]"},
        {true, "", " time 65432", "[%emt 0:1:5]"},
        {true, "", " time 3723000", "[%emt 1:2:3]"},
        {true, "", " time 59600", "[%emt 0:1:0]"},
        // Without a score: what the comment lacks is added, a time always.
        {true, full, " depth 13 currmove g1f3 currmovenumber 2", full},
        {true, full, " nodes 200000 time 2600", full + "[%emt 0:0:3]"},
        {true, "[%eval 0.2]", " depth 9 nodes 77 nps 5000000000", "[%eval 0.2][%acn 77][%nps 5000000000][%depth 9]"},
        {true, full, " score lowerbound 40", ""},
        {true, "", " nodes 0 nps 0", ""},
        // Values that are missing or not numbers count for nothing.
        {true, "[%eval 1]", " score cp", "[%eval 1]"},
        {true, "", " score cp abc depth 5 nodes", "[%depth 5]"},
        {true, "", " string time is up", ""},
        // Only the line the engine plays counts: "multipv 1" or none.
        {true, full, " depth 12 multipv 2 score cp -41 nodes 9 nps 9 time 9000 pv d2d4", full},
        {false, "[%eval 0.2]", " multipv 3 score mate 2", "[%eval 0.2]"},
        {true, "", " depth 9 multipv 1 score cp 41", "[%eval 0.41][%depth 9]"},
    };
    for (const auto& test : cases) {
        std::string comment = test.before;
        update_analysis_comment(comment, test.info, test.white);
        EXPECT_EQ(comment, test.after) << (test.white ? "White:" : "Black:") << test.info;
    }
}

}
