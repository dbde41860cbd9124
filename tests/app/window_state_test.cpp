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

// The pong is asked for before the command: what comes after it answers the
// load, and the load's one diagram leaves the window's game as it is.
TEST(WindowState, AnEngineLoadsDiagramComesAfterItsPong)
{
    WindowState state;
    EXPECT_FALSE(state.takes_diagram_as_load_answer());
    const std::uint64_t load = *state.command_sent("load 0 name Fish");
    state.manager_answered(load);
    EXPECT_TRUE(state.takes_diagram_as_load_answer());
    EXPECT_FALSE(state.takes_diagram_as_load_answer());
    // A load that brings no diagram (no engine started) is over with the next change.
    state.manager_answered(*state.command_sent("load 1 filename /nowhere"));
    state.manager_answered(*state.command_sent("new"));
    EXPECT_FALSE(state.takes_diagram_as_load_answer());
    state.manager_answered(*state.command_sent("load 1 filename /nowhere"));
    state.command_sent("start_tournament");
    EXPECT_FALSE(state.takes_diagram_as_load_answer());
}

// Until the pong, the lines of the game the manager played before are
// dropped; what the user must see and the manager's own state are kept.
TEST(WindowState, TheOldGamesLinesAreDroppedUntilThePong)
{
    const struct {
        const char* word;
        bool dropped;
    } rows[] = {
        {"move", true},       {"emt", true},          {"1-0", true},          {"0-1", true},
        {"1/2-1/2", true},    {"wtime", true},        {"btime", true},        {"white_info", true},
        {"black_info", true}, {"new", true},          {"diagram", true},      {"setboard", true},
        {"set_arrow", true},  {"event", true},        {"site", true},
        {"round", true},      {"level", true},        {"whitename", true},    {"blackname", true},
        {"WhiteElo", true},   {"BlackElo", true},     {"telluser", false},    {"quit", false},
        {"pong", false},      {"engine1name", false}, {"engine2name", false}, {"tournament_finished", false},
        {"reset", false},     {"clear_arrows", false},
    };
    WindowState state;
    const std::uint64_t ping = *state.command_sent("human_human");
    for (const auto& row : rows)
        EXPECT_EQ(state.admit(row.word).empty(), row.dropped) << row.word;
    state.manager_answered(ping);
    for (const auto& row : rows)
        EXPECT_EQ(state.admit(row.word), std::vector<std::string>{row.word}) << row.word;
}

TEST(WindowState, ATournamentRunsFromItsStartToItsStopOrEnd)
{
    WindowState state;
    EXPECT_FALSE(state.tournament_running());
    state.command_sent("start_tournament");
    EXPECT_TRUE(state.tournament_running());
    state.command_sent("setboard 4k3/8/8/8/8/8/8/4K3 w - - 0 1");
    EXPECT_TRUE(state.tournament_running());
    const std::uint64_t stop = *state.command_sent("human_human");
    EXPECT_FALSE(state.tournament_running());
    EXPECT_TRUE(state.stopping_tournament());
    state.manager_answered(stop);
    EXPECT_FALSE(state.stopping_tournament());
    state.command_sent("start_tournament");
    state.tournament_finished();
    EXPECT_FALSE(state.tournament_running());
    EXPECT_FALSE(state.stopping_tournament());
}

// Until the stop's pong, the lines of the tournament game on the board wait
// for its result, which brings them all: the manager scored the game with
// them. The next game's lines, and those of a game the window no longer
// shows, are dropped. "pong" and "replaced" stand for the stop's pong and a
// record the window starts.
TEST(WindowState, TheLinesOfAGameEndedAcrossTheStopComeWithItsResult)
{
    using Lines = std::vector<std::string>;
    const struct {
        const char* name;
        Lines arriving;
        Lines applied;
    } rows[] = {
        {"mate", {"move h5f7", "emt 10", "1-0 {White mates}", "new", "move e2e4", "0-1 {Black mates}"},
         {"move h5f7", "emt 10", "1-0 {White mates}"}},
        {"the game goes on", {"move e2e4", "wtime 100", "new", "move d2d4", "1-0 {White mates}"}, {}},
        {"the answer", {"move e2e4", "pong", "0-1 {Black mates}"}, {"0-1 {Black mates}"}},
        {"a new record", {"move e2e4", "replaced", "1-0 {White mates}"}, {}},
    };
    for (const auto& row : rows) {
        WindowState state;
        state.command_sent("start_tournament");
        const std::uint64_t stop = *state.command_sent("human_human");
        Lines applied;
        for (const std::string& line : row.arriving) {
            if (line == "pong")
                state.manager_answered(stop);
            else if (line == "replaced")
                state.forget_stopped_game();
            else
                for (const std::string& taken : state.admit(line))
                    applied.push_back(taken);
        }
        EXPECT_EQ(applied, row.applied) << row.name;
    }
}

// A "human_human" stays the last word on the engines until a command that
// may start one, so that leaving a tournament game for Human - human stops it once.
TEST(WindowState, TheEnginesStayStoppedUntilACommandMayStartOne)
{
    WindowState state;
    EXPECT_FALSE(state.engines_stopped());
    for (const char* command : {"human_human", "level fixed_depth 3", "ping 4", "wake_up"}) {
        state.command_sent(command);
        EXPECT_TRUE(state.engines_stopped()) << command;
    }
    for (const char* command : {"go", "human_computer", "analyzeposition", "setboard 8/8/8/8/8/8/8/k6K w - - 0 1",
                                "learnopenings 3", "start_tournament", "load 0 name Fish", "new"}) {
        state.command_sent("human_human");
        state.command_sent(command);
        EXPECT_FALSE(state.engines_stopped()) << command;
    }
}

TEST(WindowState, BookAndHeldModeChanges)
{
    WindowState state;
    EXPECT_FALSE(state.has_book());
    state.command_sent("polyglotbook /tmp/book.bin");
    EXPECT_TRUE(state.has_book());
    state.command_sent("polyglotbook ");
    EXPECT_FALSE(state.has_book());

    state.hold_mode_changes(WindowMode::analysis);
    EXPECT_TRUE(state.mode_changes_held());
    EXPECT_EQ(state.held_mode(), WindowMode::analysis);
    state.release_mode_changes();
    EXPECT_FALSE(state.mode_changes_held());
}
