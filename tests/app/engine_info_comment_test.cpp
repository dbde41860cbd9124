#include "app/engine_info_comment.h"

#include <gtest/gtest.h>

TEST(EngineInfoComment, BuildsThePendingCommentFromInfoLines)
{
    struct Case {
        const char* before;
        const char* info;
        bool white;
        const char* after;
    };
    const Case cases[] = {
        {"", " depth 12 score cp 25 time 5432 nodes 900 nps 800 pv e2e4", true,
         "[%eval 0.25][%emt 0:0:5][%acn 900][%nps 800][%depth 12]"},
        {"", " depth 12 score cp 25 time 5432 nodes 900 nps 800 pv e2e4", false,
         "[%eval -0.25][%emt 0:0:5][%acn 900][%nps 800][%depth 12]"},
        {"", " score cp -130", true, "[%eval -1.3]"},
        {"", " score cp 0", false, "[%eval 0]"},
        {"", " score mate 3", true, "[%eval #3]"},
        {"", " score mate 3", false, "[%eval #-3]"},
        {"", " score mate -2", false, "[%eval #2]"},
        {"[%eval 1]", " time 800 nodes 0", true, "[%eval 1]"},
        {"[%eval 1]", " time 65432", true, "[%eval 1][%emt 0:1:5]"},
        {"", " time 3723000", true, "[%emt 1:2:3]"},
        {"[%eval 1]", " depth 3 currmove e2e4", true, "[%eval 1][%depth 3]"},
        {"[%eval 1][%depth 3]", " score cp 50 depth 4", true, "[%eval 0.5][%depth 4]"},
        {"[%eval 1]", " score lowerbound", true, ""},
        {"[%eval 1]", " hashfull 500 depth 6", true, "[%eval 1][%depth 6]"},
        {"", " depth 5 nodes abc depth 9", true, "[%depth 5]"},
        // Lines without a score give each kind its latest value, once.
        {"[%eval -3.52][%acn 298982][%depth 9]", " depth 9 nodes 361987 nps 900 time 1500", true,
         "[%eval -3.52][%emt 0:0:2][%acn 361987][%nps 900][%depth 9]"},
        {"[%eval 1][%emt 0:0:4][%depth 16]", " depth 17 currmove e2e4 time 6000", false,
         "[%eval 1][%emt 0:0:6][%depth 17]"},
        // The seconds' rounding carries into the minutes and hours.
        {"", " time 299980", true, "[%emt 0:5:0]"},
        {"", " time 119600", false, "[%emt 0:2:0]"},
        {"", " time 3599600", true, "[%emt 1:0:0]"},
        // Only the line the engine plays counts: "multipv 1" or none.
        {"[%eval 1][%depth 3]", " depth 4 multipv 2 score cp 30 nodes 9 time 9000 pv d2d4", false, "[%eval 1][%depth 3]"},
        {"[%eval 1]", " multipv 10 score mate 2", true, "[%eval 1]"},
        {"[%eval 1]", " depth 4 multipv 1 score cp -30", false, "[%eval 0.3][%depth 4]"},
    };
    for (const Case& c : cases) {
        std::string pending = c.before;
        fold_engine_info(pending, c.info, c.white);
        EXPECT_EQ(pending, c.after) << c.info << (c.white ? " white" : " black");
    }
    EXPECT_TRUE(info_line_is_shown(" depth 12 score cp 25"));
    EXPECT_FALSE(info_line_is_shown(" depth 12 currmove e2e4 currmovenumber 1"));
}
