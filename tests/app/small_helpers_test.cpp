#include "app/board_size_argument.h"
#include "app/message_inbox.h"
#include "app/pgn_date.h"

#include <gtest/gtest.h>

#include <sstream>
#include <thread>
#include <vector>

TEST(PgnDate, WritesTheUtcDayZeroPadded)
{
    EXPECT_EQ(pgn_date(0), "1970.01.01");
    EXPECT_EQ(pgn_date(1741305600), "2025.03.07");           // 2025-03-07 00:00 UTC
    EXPECT_EQ(pgn_date(1741305600 - 1), "2025.03.06");       // one second before
    EXPECT_EQ(pgn_date(4102444799), "2099.12.31");
    EXPECT_EQ(pgn_date_today().size(), 10u);
}

TEST(BoardSizeArgument, ReadsOnlyDashSWithOneValue)
{
    struct Case {
        std::vector<const char*> arguments;
        int size;
        const char* echo;
    };
    const Case cases[] = {
        {{"torvane"}, 560, ""},
        {{"torvane", "-s", "640"}, 640, "boardsize=640\n"},
        {{"torvane", "-size", "640"}, 640, "boardsize=640\n"},
        {{"torvane", "-s", "abc"}, 0, "boardsize=0\n"},
        {{"torvane", "-s", "700px"}, 700, "boardsize=700\n"},
        {{"torvane", "-s", "640", "x"}, 560, ""},
        {{"torvane", "-x", "640"}, 560, ""},
    };
    for (const Case& c : cases) {
        std::ostringstream err;
        EXPECT_EQ(board_size_argument(static_cast<int>(c.arguments.size()), c.arguments.data(), err), c.size);
        EXPECT_EQ(err.str(), c.echo);
    }
}

TEST(MessageInbox, TakesOutWhatWaitsAndKeepsOrderAcrossDrains)
{
    MessageInbox inbox;
    std::thread writer([&inbox] {
        for (int i = 0; i < 1000; ++i)
            inbox.put(std::to_string(i));
    });
    std::vector<std::string> read;
    std::string line;
    while (read.size() < 1000) {
        ASSERT_TRUE(inbox.begin_drain());
        EXPECT_FALSE(inbox.begin_drain());  // a nested drain does not start
        // Apply only part of each batch: the rest waits ahead of newer lines.
        for (int i = 0; i < 7 && inbox.next(line); ++i)
            read.push_back(line);
        inbox.end_drain();
    }
    writer.join();
    for (int i = 0; i < 1000; ++i)
        ASSERT_EQ(read[static_cast<std::size_t>(i)], std::to_string(i));
    EXPECT_EQ(inbox.waiting(), 0u);
}

// An engine that floods its analysis while the window is busy: only the
// newest analysis lines of each colour wait; every other line stays.
TEST(MessageInbox, OnlyTheNewestAnalysisOfEachColourWaits)
{
    MessageInbox inbox;
    std::vector<std::string> expected;
    for (const std::string colour : {"white_info", "black_info"}) {
        for (std::size_t depth = 1; depth <= 500; ++depth) {
            const std::string line = colour + "  depth " + std::to_string(depth);
            inbox.put(line);
            if (depth > 500 - MessageInbox::waiting_info_limit)
                expected.push_back(line);
        }
        inbox.put("move e2e4");
        expected.push_back("move e2e4");
    }
    ASSERT_TRUE(inbox.begin_drain());
    std::vector<std::string> read;
    for (std::string line; inbox.next(line);)
        read.push_back(line);
    EXPECT_EQ(read, expected);
}
