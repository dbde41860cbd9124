#include "gui/time_control_texts.h"

#include <gtest/gtest.h>

#include <string>

namespace {

std::string fields(const Level& level)
{
    return std::to_string(level.get_type()) + " d" + std::to_string(level.get_depth()) + " n" +
           std::to_string(level.get_nodes()) + " mt" + std::to_string(level.get_movetime()) + " m" +
           std::to_string(level.get_moves()) + " t" + std::to_string(level.get_time()) + " i" +
           std::to_string(level.get_increment());
}

TEST(TimeControlTextsTest, EveryKindOfLevelComesBackWhole)
{
    for (const char* text : {"fixed_depth 12", "fixed_nodes 250000", "fixed_movetime 1500", "sudden_death 0 5 0",
                             "sudden_death 0 1:5 1.25", "sudden_death 0 90 12.5", "sessions 40 0:10 0.1",
                             "sessions 40 10 0", "sessions 1 2:30 2", "sessions 60 120 0.005"}) {
        const Level level(text);
        TimeControlTexts texts;
        texts.show(level);
        EXPECT_EQ(fields(Level(texts.level_text())), fields(level)) << text << " -> " << texts.level_text();
    }
}

TEST(TimeControlTextsTest, ShowsTheNumbersOfItsKindAndKeepsTheOthers)
{
    TimeControlTexts texts;
    texts.show(Level("sudden_death 0 0:10 0.1"));
    texts.show(Level("sessions 40 10 0"));
    EXPECT_EQ(texts.kind, sessions);
    EXPECT_EQ(texts.moves + " " + texts.base + " " + texts.increment, "40 10 0");
    EXPECT_EQ(texts.sd_base + " " + texts.sd_increment, "0:10 0.1");
    texts.show(Level("fixed_depth 12"));
    EXPECT_EQ(texts.kind, fixed_depth);
    EXPECT_EQ(texts.depth, "12");
    EXPECT_EQ(texts.moves + " " + texts.base + " " + texts.increment, "40 10 0");
    texts.show(Level("sessions 40 1:5 1.25"));
    EXPECT_EQ(texts.base + " " + texts.increment, "1:05 1.25");
}

TEST(TimeControlTextsTest, EntriesGiveOneWordEach)
{
    struct Case {
        level_t kind;
        const char *first, *second, *third;
        const char* text;
    };
    for (const Case& c : {
             Case{sessions, "40", "0:10", "0.1", "sessions 40 0:10 0.1"},
             Case{sessions, "", "0:10", "0.1", "sessions 0 0:10 0.1"},          // empty moves
             Case{sessions, " 40 ", "1 30", "", "sessions 40 1,30 0"},          // inner blank
             Case{sudden_death, "", "5", "2", "sudden_death 0 5 2"},
             Case{fixed_nodes, "", "", "", "fixed_nodes 0"},
             Case{fixed_depth, "abc", "", "", "fixed_depth 0"},
             Case{sessions, "x40", "0:10", "0.1", "sessions 0 0:10 0.1"},     // no number: 0, the rest read
             Case{fixed_movetime, "-5ms", "", "", "fixed_movetime -5ms"},
             Case{sessions, "40", "1", "2,5", "sessions 40 1 2.5"},            // decimal comma
         }) {
        TimeControlTexts texts;
        texts.kind = c.kind;
        texts.moves = texts.nodes = texts.depth = texts.movetime = c.first;
        texts.base = texts.sd_base = c.second;
        texts.increment = texts.sd_increment = c.third;
        EXPECT_EQ(texts.level_text(), c.text);
    }
}

TEST(TimeControlTextsTest, RefusesAnIncrementThatWouldBeReadOnlyInPart)
{
    TimeControlTexts texts;
    for (const char* increment : {"2.5.1", "2 5", "1,5s"}) {
        texts.increment = increment;
        EXPECT_NE(texts.refusal().find(increment), std::string::npos) << increment;
    }
    for (const char* increment : {"2,5", " .5 ", ""}) {
        texts.increment = increment;
        EXPECT_EQ(texts.refusal(), "") << increment;
    }
}

TEST(TimeControlTextsTest, WritesTimesAsThePanelShowsThem)
{
    EXPECT_EQ(base_text(600000), "10");
    EXPECT_EQ(base_text(65000), "1:05");
    EXPECT_EQ(base_text(1000), "0:01");
    EXPECT_EQ(base_text(10000), "0:10");
    EXPECT_EQ(increment_text(100), "0.1");
    EXPECT_EQ(increment_text(2000), "2");
    EXPECT_EQ(increment_text(0), "0");
    EXPECT_EQ(increment_text(1250), "1.25");
    EXPECT_EQ(increment_text(1234567), "1234.567");
}

}
