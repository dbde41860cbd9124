#include "engines/chess_clock.h"
#include "tests/support/test_time.h"

#include <gtest/gtest.h>

#include <chrono>
#include <string>
#include <thread>
#include <ostream>

namespace {

using torvane_test::scaled;
using namespace std::chrono_literals;

// Books the given number of moves with no thinking time and no stamp.
void book_moves(ChessClock& clock, int moves)
{
    for (int i = 0; i < moves; ++i) {
        clock.move_done(0);
    }
}

TEST(ChessClock, TimeControlSetsTheFirstBudget)
{
    ChessClock clock;
    clock.set_time_control(Level("sessions 40 0:10 0.1"));
    EXPECT_EQ(clock.time_left_now(), 10000);
    EXPECT_EQ(clock.moves_to_go(), 40u);
    EXPECT_EQ(clock.increment(), 100u);
    EXPECT_EQ(clock.to_string(), "40 0:10 0");
}

struct SessionCase {
    const char* level;
    std::uint32_t moves_before;
    int booked;
    std::int64_t time_left;
    std::uint32_t moves_made;
};

void PrintTo(const SessionCase& c, std::ostream* out)
{
    *out << c.level << ", " << c.booked << " moves after " << c.moves_before;
}

class ChessClockSessions : public ::testing::TestWithParam<SessionCase> {};

TEST_P(ChessClockSessions, Budget)
{
    const SessionCase& c = GetParam();
    ChessClock clock;
    clock.set_time_control(Level(c.level));
    clock.set_moves_made(c.moves_before);
    book_moves(clock, c.booked);
    EXPECT_EQ(clock.time_left_now(), c.time_left);
    EXPECT_EQ(clock.get_moves_made(), c.moves_made);
}

INSTANTIATE_TEST_SUITE_P(
    Examples, ChessClockSessions,
    ::testing::Values(
        // 40 moves: every increment and one more session.
        SessionCase{"sessions 40 0:10 0.1", 0, 40, 10000 + 40 * 100 + 10000, 0},
        SessionCase{"sessions 40 0:10 0.1", 0, 39, 10000 + 3900, 39},
        SessionCase{"sessions 40 0:10 0.1", 0, 80, 10000 + 80 * 100 + 2 * 10000, 0},
        // Sudden death: the session time is never added again.
        SessionCase{"sudden_death 0 1 2", 0, 100, 60000 + 100 * 2000, 100},
        // A game starting after 45 opening moves is 5 moves into its session:
        // 35 more moves reach the session's end.
        SessionCase{"sessions 40 1 0", 45, 34, 60000, 39},
        SessionCase{"sessions 40 1 0", 45, 35, 120000, 0},
        SessionCase{"sessions 40 1 0", 80, 40, 120000, 0}));

TEST(ChessClock, MovesToGoCountsDownAndWrapsForSuddenDeath)
{
    ChessClock clock;
    clock.set_time_control(Level("sessions 40 0:10 0.1"));
    book_moves(clock, 39);
    EXPECT_EQ(clock.moves_to_go(), 1u);
    clock.set_moves_to_go(7);
    EXPECT_EQ(clock.get_moves_made(), 33u);
    clock.set_time_control(Level("sudden_death 0 5 0"));
    book_moves(clock, 3);
    EXPECT_EQ(static_cast<std::int32_t>(clock.moves_to_go()), -3);
}

TEST(ChessClock, ArrivalStampCreditsTheTimeSinceArrival)
{
    ChessClock clock;
    clock.set_time_control(Level("sessions 40 1 0"));
    std::uint64_t now = std::stoull(clock.timestamp_ms());
    clock.move_done(now - 30);
    std::int64_t credit = clock.time_left_now() - 60000;
    EXPECT_GE(credit, 30);
    EXPECT_LT(credit, 30 + scaled(1000ms).count());

    clock.restart();
    clock.move_done(0);
    EXPECT_EQ(clock.time_left_now(), 60000) << "no stamp, no credit";

    clock.restart();
    clock.move_done(0xffffffffULL);
    EXPECT_EQ(clock.time_left_now(), 60000) << "a stamp from before the wrap earns nothing";
}

TEST(ChessClock, ThinkingUsesTheBudgetAndStopsWithTheMove)
{
    ChessClock clock;
    clock.set_time_control(Level("sessions 40 1 0"));
    clock.restart();
    clock.start();
    auto deadline = std::chrono::steady_clock::now() + scaled(10s);
    while (clock.move_time() < 20 && std::chrono::steady_clock::now() < deadline) {
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    EXPECT_GE(clock.move_time(), 20);
    EXPECT_LE(clock.time_left_now(), 60000 - 20);
    clock.move_done(0);
    std::int64_t left = clock.time_left_now();
    std::int64_t spent = clock.move_time();
    std::this_thread::sleep_for(scaled(5ms));
    EXPECT_EQ(clock.time_left_now(), left);
    EXPECT_EQ(clock.move_time(), spent);
    EXPECT_EQ(left, 60000 - spent);

    // Counted on from the earlier move, it would show at least spent + 5.
    const auto before = std::chrono::steady_clock::now();
    clock.start();
    const std::int64_t shown = clock.move_time();
    const auto waited = std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - before);
    EXPECT_LE(shown, waited.count() + 1) << "a new move starts from the total of the earlier ones";
}

TEST(ChessClock, CopyHasAFreshStoppedStopwatch)
{
    ChessClock clock;
    clock.set_time_control(Level("sessions 40 1 0"));
    clock.start();
    auto deadline = std::chrono::steady_clock::now() + scaled(10s);
    while (clock.time_left_now() > 59990 && std::chrono::steady_clock::now() < deadline) {
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    ChessClock copy(clock);
    EXPECT_EQ(copy.time_left_now(), 60000);
    EXPECT_LT(clock.time_left_now(), 60000);

    ChessClock assigned;
    assigned.set_time_control(Level("sessions 20 2 0"));
    assigned = clock;
    EXPECT_EQ(assigned.time_left_now(), 60000);
    EXPECT_EQ(assigned.moves_to_go(), 40u);
}

TEST(ChessClock, SetTimeLeftResetsTheStopwatch)
{
    ChessClock clock;
    clock.set_time_control(Level("sessions 40 1 0"));
    clock.start();
    clock.set_time_left(1234);
    EXPECT_EQ(clock.time_left_now(), 1234);
}

TEST(ChessClock, TextShowsSecondsOnlyWhenThereAreAny)
{
    ChessClock clock;
    clock.set_time_control(Level("sessions 40 5:07 2.5"));
    EXPECT_EQ(clock.to_string(), "40 5:07 2");
    clock.set_time_control(Level("sudden_death 0 3 0"));
    EXPECT_EQ(clock.to_string(), "0 3 0");
}

// The driver thread books moves while the manager's thread reads the clock.
TEST(ChessClock, BookingAndReadingFromTwoThreads)
{
    ChessClock clock;
    clock.set_time_control(Level("sessions 40 1 0.01"));
    std::thread driver([&] {
        for (int i = 0; i < 400; ++i) {
            clock.start();
            clock.move_done(0);
        }
    });
    std::int64_t lowest = 60000;
    for (int i = 0; i < 2000; ++i) {
        lowest = std::min(lowest, clock.time_left_now());
        EXPECT_LE(clock.moves_to_go(), 40u);
    }
    driver.join();
    EXPECT_GT(lowest, 0);
    // Less the time the driver spent between its starts and bookings.
    EXPECT_GE(clock.time_left_now(), 60000 + 400 * 10 + 10 * 60000 - scaled(1000ms).count());
}

}
