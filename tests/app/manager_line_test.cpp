#include "app/manager_line.h"

#include <gtest/gtest.h>

#include <stdexcept>

TEST(ManagerLine, SplitsWordAndRestAndReadsNames)
{
    struct Case {
        const char* line;
        const char* word;
        const char* rest;
        const char* name;
        const char* text;
    };
    const Case cases[] = {
        {"whitename   Deep  Thought  ", "whitename", "   Deep  Thought  ", "Deep  Thought", "Deep  Thought  "},
        {"whitename    ", "whitename", "    ", "???", ""},
        {"blackname", "blackname", "", "???", ""},
        {"engine1name \tTab", "engine1name", " \tTab", "\tTab", "\tTab"},
        {"  event Torvane Battles", "event", " Torvane Battles", "Torvane Battles", "Torvane Battles"},
        {"   ", "", "", "???", ""},
    };
    for (const Case& c : cases) {
        const ManagerLine line(c.line);
        EXPECT_EQ(line.word(), c.word) << c.line;
        EXPECT_EQ(line.rest(), c.rest) << c.line;
        EXPECT_EQ(line.name(), c.name) << c.line;
        EXPECT_EQ(line.text(), c.text) << c.line;
    }
}

TEST(ManagerLine, ReadsNumbersFieldsAndArrows)
{
    EXPECT_EQ(ManagerLine("wtime -1234").centiseconds(), -123);
    EXPECT_EQ(ManagerLine("btime 600000 extra").centiseconds(), 60000);
    for (const char* bad : {"wtime", "wtime 12x", "wtime abc", "btime 99999999999999999999"})
        EXPECT_THROW((void)ManagerLine(bad).centiseconds(), std::runtime_error) << bad;

    EXPECT_EQ(ManagerLine("setboard 8/8/8/8/8/8/8/K1k5 b - - 7 40").setboard_fen(), "8/8/8/8/8/8/8/K1k5 b - - 0 1");
    EXPECT_THROW((void)ManagerLine("setboard 8/8 w -").setboard_fen(), std::runtime_error);

    EXPECT_EQ(ManagerLine("level sessions 40 0:10 0.1").level_text(), "sessions 40 0:10 0.1");
    EXPECT_EQ(ManagerLine("level fixed_depth 8").level_text(), "fixed_depth 8  0");
    EXPECT_EQ(ManagerLine("level sudden_death 0 5:00 2.50").level_text(), "sudden_death 0 5:00 2.5");
    EXPECT_EQ(ManagerLine("level sessions x").level_text(), "sessions 0  0");

    const ManagerLine::Arrow blue = ManagerLine("set_arrow 12 28 x").arrow();
    EXPECT_EQ(blue.from, 12);
    EXPECT_EQ(blue.to, 28);
    EXPECT_EQ(blue.colour, 2);
    EXPECT_EQ(ManagerLine("set_arrow 0 63 g").arrow().colour, 1);
    EXPECT_EQ(ManagerLine("set_arrow 0 63 r").arrow().colour, 0);
    for (const char* bad : {"set_arrow 12 64 g", "set_arrow -1 3 g", "set_arrow 12", "set_arrow a b c"})
        EXPECT_THROW((void)ManagerLine(bad).arrow(), std::runtime_error) << bad;
}
