#include "app/window_state.h"

#include <gtest/gtest.h>

// Which commands put the window out of step with the manager until their
// "pong", and what that allows meanwhile.
TEST(WindowState, ACommandThatChangesThePositionWaitsForItsPong)
{
    const struct {
        const char* command;
        bool pinged;
    } rows[] = {
        {"setboard 4k3/8/8/8/8/8/8/4K3 w - - 0 1", true}, {"new", true},  {"human_human", true},
        {"load 1 filename /usr/games/stockfish", true},   {"usermove e2e4", false}, {"go", false},
        {"analyzeposition", false},                       {"level fixed_depth 3", false},
        {"newcomer", false},                              {"wake_up", false},
    };
    WindowState state;
    for (const auto& row : rows) {
        const std::optional<std::uint64_t> ping = state.command_sent(row.command);
        EXPECT_EQ(ping.has_value(), row.pinged) << row.command;
        EXPECT_EQ(state.takes_manager_moves(), !row.pinged) << row.command;
        if (ping)
            state.manager_answered(*ping);
        EXPECT_TRUE(state.takes_manager_moves()) << row.command;
    }
    // Only the last pong catches up; a number never sent counts as the last.
    const std::uint64_t first = *state.command_sent("new");
    const std::uint64_t second = *state.command_sent("setboard 8/8/8/8/8/8/8/k6K w - - 0 1");
    state.manager_answered(first);
    EXPECT_FALSE(state.takes_manager_moves());
    state.manager_answered(second + 5);
    EXPECT_TRUE(state.takes_manager_moves());
    EXPECT_TRUE(*state.command_sent("new") == second + 1);
}

TEST(WindowState, AnEngineLoadKeepsThePositionUntilItsPong)
{
    WindowState state;
    EXPECT_FALSE(state.diagram_answers_engine_load());
    const std::uint64_t load = *state.command_sent("load 0 name Fish");
    EXPECT_TRUE(state.diagram_answers_engine_load());
    state.manager_answered(load);
    EXPECT_FALSE(state.diagram_answers_engine_load());
}

TEST(WindowState, ATournamentRunsFromItsStartToItsStopOrEnd)
{
    WindowState state;
    EXPECT_FALSE(state.tournament_running());
    state.command_sent("start_tournament");
    EXPECT_TRUE(state.tournament_running());
    state.command_sent("setboard 4k3/8/8/8/8/8/8/4K3 w - - 0 1");
    EXPECT_TRUE(state.tournament_running());
    state.command_sent("human_human");
    EXPECT_FALSE(state.tournament_running());
    state.command_sent("start_tournament");
    state.tournament_finished();
    EXPECT_FALSE(state.tournament_running());
}

TEST(WindowState, BookAndHeldModeChanges)
{
    WindowState state;
    EXPECT_FALSE(state.has_book());
    state.command_sent("polyglotbook /tmp/book.bin");
    EXPECT_TRUE(state.has_book());
    state.command_sent("polyglotbook ");
    EXPECT_FALSE(state.has_book());

    EXPECT_EQ(state.mode(), WindowMode::human_human);
    state.mode_chosen(WindowMode::analysis);
    state.hold_mode_changes(state.mode());
    EXPECT_TRUE(state.mode_changes_held());
    EXPECT_EQ(state.held_mode(), WindowMode::analysis);
    state.release_mode_changes();
    EXPECT_FALSE(state.mode_changes_held());
}
