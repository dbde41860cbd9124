// The window and the manager in step: a move already on its way when the
// user changes the position, Setup while an engine plays, Analysis at every
// new position, and an engine load that keeps the user's game.
#include "window_test_fixture.h"

#include "tests/gui/widget_test_support.h"
#include "tests/support/peer_programs.h"
#include "tests/support/start_position.h"

#include <gtkmm/messagedialog.h>
#include <gtkmm/treeview.h>

#include <fstream>
#include <optional>

namespace window_test {
namespace {

using torvane_test::start_fen;

const std::string after_e4 = "rnbqkbnr/pppppppp/8/8/4P3/8/PPPP1PPP/RNBQKBNR b KQkq - 0 1";

class InStepTest : public LoggedWindowTest {
protected:
    void type_fen(const std::string& fen)
    {
        probe->fen_entry().set_text(fen);
        widget_test::find_all<Gtk::Button>(probe->fen_entry()).at(0)->clicked();
    }
};

// Each row leaves a move in the inbox, as the manager sent it for the old
// position, and then changes the position: the move is dropped, no box.
TEST_F(InStepTest, AMoveOnItsWayWhenTheUserChangesThePositionIsDropped)
{
    const struct {
        const char* change;
        const char* stale;
        std::function<void()> act;
        std::string fen;
        int plies;
    } rows[] = {
        {"new game", "e7e5", [this] { activate("NewGame"); }, start_fen, 0},
        {"FEN row", "e2e4", [this] { type_fen(start_fen); }, start_fen, 0},
        {"Setup", "e7e5",
         [this] {
             activate("Setup");
             click(0);
         },
         "rnbqkbnr/pppppppp/8/8/4P3/8/PPPP1PPP/1NBQKBNR b - - 0 1", 0},
        {"navigation", "e7e5", [this] { probe->navigation_button(0).clicked(); }, start_fen, 1},
    };
    widget_test::run_for(400);
    for (const auto& row : rows) {
        activate("HumanHuman");
        activate("NewGame");
        apply({"move e2e4"});
        std::string told;
        answer_message(told);
        window->put_command(std::string("move ") + row.stale);
        row.act();
        ASSERT_TRUE(run_until([this] { return probe->waiting() == 0 && probe->in_step(); })) << row.change;
        widget_test::run_for(100);
        EXPECT_EQ(told, "") << row.change;
        EXPECT_EQ(probe->fen(), row.fen) << row.change;
        EXPECT_EQ(probe->game().position().fen(), probe->fen()) << row.change;
        EXPECT_EQ(probe->plies(), row.plies) << row.change;
    }
}

// A result sent for the game the user has just left finishes nothing and
// is written nowhere. It reaches the window once the user's choice is made.
TEST_F(InStepTest, AResultOnItsWayWhenTheUserChangesThePositionIsDropped)
{
    std::ofstream("one.pgn") << "[Result \"*\"]\n\n1. d4 d5 *\n\n";
    const auto result_on_its_way = [this] { window->put_command("1-0 {White mates}"); };
    const struct {
        const char* change;
        std::function<void()> act;
        int plies;
    } rows[] = {
        {"navigation",
         [&] {
             result_on_its_way();
             probe->navigation_button(0).clicked();
         },
         1},
        {"game file",
         [&] {
             answer_file_chooser(directory + "/one.pgn");
             answer_dialog("Choose Game", [&](Gtk::Dialog& dialog) {
                 result_on_its_way();
                 widget_test::find_all<Gtk::TreeView>(dialog).at(0)->get_selection()->select(Gtk::TreePath("0"));
                 dialog.response(Gtk::RESPONSE_OK);
             });
             activate("LoadGame");
         },
         2},
    };
    widget_test::run_for(400);
    for (const auto& row : rows) {
        activate("HumanHuman");
        activate("NewGame");
        apply({"move e2e4"});
        row.act();
        ASSERT_TRUE(run_until([this] { return probe->waiting() == 0 && probe->in_step(); })) << row.change;
        widget_test::run_for(100);
        EXPECT_FALSE(probe->game_finished()) << row.change;
        EXPECT_EQ(probe->game().get_tag("Result"), "*") << row.change;
        EXPECT_EQ(probe->plies(), row.plies) << row.change;
        EXPECT_EQ(read_file(probe->event() + ".pgn"), "") << row.change;
    }
}

TEST_F(InStepTest, SetupStopsTheEnginesPlayBeforeAnyEdit)
{
    const FakeEngineMode searches_until_stopped("hold");
    load_engine("load 1 filename " + fake_engine(""));
    activate("HumanComputer");
    activate("StartThinking");
    EXPECT_EQ(probe->engine_sides(), std::make_pair(1u, 0u));
    activate("Setup");
    EXPECT_EQ(probe->engine_sides(), std::make_pair(0u, 0u));
    EXPECT_TRUE(probe->clocks_stopped());
    EXPECT_GT(log().rfind("--> 0 human_human"), log().rfind("--> 0 go"));
    const std::vector<std::string> clocks = probe->clock_texts();
    widget_test::run_for(1200);
    EXPECT_EQ(probe->clock_texts(), clocks);
}

// Analysis follows every new position the window shows.
TEST_F(InStepTest, AnalysisGoesOnAtEveryNewPosition)
{
    const FakeEngineMode searches_until_stopped("hold");
    load_engine("load 1 filename " + fake_engine(""));
    std::ofstream("one.fen") << "4k3/8/8/8/8/8/8/4K2R w K -\n";
    std::ofstream("one.pgn") << "[Result \"*\"]\n\n1. d4 d5 *\n\n";
    const struct {
        const char* change;
        std::function<void()> act;
        std::string fen;
    } rows[] = {
        {"FEN row", [this] { type_fen(after_e4); }, after_e4},
        {"position file",
         [this] {
             answer_file_chooser(directory + "/one.fen");
             answer_list("Choose Position", 1);
             activate("LoadPosition");
         },
         "4k3/8/8/8/8/8/8/4K2R w K - 0 1"},
        {"game file",
         [this] {
             answer_file_chooser(directory + "/one.pgn");
             answer_list("Choose Game", 1);
             activate("LoadGame");
         },
         "rnbqkbnr/ppp1pppp/8/3p4/3P4/8/PPP1PPPP/RNBQKBNR w KQkq - 0 2"},
    };
    activate("AnalyzePosition");
    for (const auto& row : rows) {
        const std::size_t analyses = sent("analyzeposition");
        row.act();
        EXPECT_EQ(probe->fen(), row.fen) << row.change;
        EXPECT_TRUE(probe->active("AnalyzePosition")) << row.change;
        EXPECT_EQ(sent("analyzeposition"), analyses + 1) << row.change;
        EXPECT_GT(log().rfind("--> 0 analyzeposition"), log().rfind("--> 0 setboard " + row.fen)) << row.change;
    }
}

// Loading an engine keeps the game and has the new engine work on it.
TEST_F(InStepTest, LoadingAnEngineKeepsTheUsersGame)
{
    std::ofstream("engines.cfg") << "name Fake\nfilename " << fake_engine("") << "\nprotocol uci\n\n";
    const std::string fen = "rnbqkbnr/pppp1ppp/8/4p3/4P3/8/PPPP1PPP/RNBQKBNR w KQkq - 0 2";
    for (const std::string& load : {"load 1 filename " + fake_engine(""), std::string("load 0 name Fake")}) {
        apply({"move e2e4", "move e7e5"});
        probe->comment_editor().set_comment("my note");
        load_engine(load);
        EXPECT_EQ(probe->fen(), fen) << load;
        EXPECT_EQ(probe->plies(), 2) << load;
        EXPECT_EQ(probe->comment_editor().get_comment(), "my note") << load;
        EXPECT_GT(log().rfind("--> 0 setboard " + fen), log().rfind("-----> diagram")) << load;
        activate("NewGame");
    }
}

// An engine loaded while engine 1 thinks against the user takes its side
// and moves from the game on the board, under one name for the whole game
// (its installed name where it was loaded by it), on clocks started afresh
// as the manager's are.
TEST_F(InStepTest, AnEngineLoadedWhileTheEngineThinksTakesItsSideAndMoves)
{
    std::ofstream("engines.cfg") << "name Mover\nfilename " << fake_engine("legal") << "\nprotocol uci\n\n";
    const struct {
        std::string load;
        const char* name;
    } rows[] = {
        {"load 1 filename " + fake_engine("legal"), "FakeEngine 1.0"},
        {"load 0 name Mover", "Mover"},
    };
    for (const auto& row : rows) {
        {
            const FakeEngineMode searches_until_stopped("hold");
            load_engine("load 1 filename " + fake_engine(""));
        }
        activate("NewGame");
        activate("StartThinking");
        ASSERT_EQ(probe->engine_sides(), std::make_pair(1u, 0u)) << row.load;
        load_engine(row.load);
        EXPECT_EQ(probe->game().get_tag("White"), row.name) << row.load;
        EXPECT_EQ(probe->clock_texts()[3], "0:10") << row.load;
        ASSERT_TRUE(run_until([this] { return probe->plies() == 1; }, 20000)) << row.load;
        EXPECT_EQ(probe->game().get_tag("White"), row.name) << row.load;
        drag(52, 36);
        EXPECT_GE(probe->plies(), 2) << row.load;
        EXPECT_TRUE(contains(log(), "--> 0 usermove e7e5")) << row.load;
    }
}

// The user mates the engine: the game stays finished, and neither a new
// engine nor Start thinking has anybody move in it.
TEST_F(InStepTest, AGameThatHasEndedStaysEnded)
{
    const std::pair<const char*, std::function<void()>> after_the_mate[] = {
        {"engine loaded", [this] { load_engine("load 1 filename " + fake_engine("legal")); }},
        {"Start thinking", [this] { activate("StartThinking"); }},
    };
    load_engine("load 1 filename " + fake_engine("legal"));
    widget_test::run_for(500);  // the board takes no drop just after the window came up
    int boxes = 0;
    std::function<void(Gtk::Dialog&)> count_box = [&](Gtk::Dialog& box) {
        ++boxes;
        answer_dialog("Message:", count_box);
        box.response(Gtk::RESPONSE_OK);
    };
    answer_dialog("Message:", count_box);
    for (const auto& [act, run] : after_the_mate) {
        type_fen("6k1/5ppp/8/8/8/8/5PPP/R5K1 w - - 0 1");
        activate("HumanComputer");
        const int results = boxes + 1;
        drag(0, 56);
        ASSERT_TRUE(run_until([&] { return boxes == results && probe->waiting() == 0; }, 20000)) << act;
        const std::size_t searches = sent("go");
        run();
        widget_test::run_for(1000);
        EXPECT_EQ(sent("go"), searches) << act;
        EXPECT_EQ(boxes, results) << act;
        EXPECT_TRUE(probe->game_finished()) << act;
        EXPECT_EQ(probe->game().get_tag("Result"), "1-0") << act;
    }
}

// An engine that crashes at every search is given up after its restart: the
// window then knows there is no engine, no clock runs, and the user plays on.
// The manager gives it up by itself also while the user leaves the first
// box open, which holds the window's wake-ups back: there the engine crashes
// a while after its search began, when none of its lines is left to wake the
// manager. The window hears of it once the box is closed.
TEST_F(InStepTest, AnEngineThatCrashesAtEverySearchIsGivenUpAndTheUserPlaysOn)
{
    for (const bool first_box_left_open : {false, true}) {
        std::optional<FakeEngineMode> late_crash;
        if (first_box_left_open)
            late_crash.emplace("slow");
        load_engine("load 1 filename " + fake_engine("crash_on_go"));
        activate("NewGame");
        widget_test::run_for(500);  // the board takes no drop just after a new game
        std::string again;
        bool given_up_under_the_box = false;
        std::string title_under_the_box;
        answer_dialog("Message:", [&](Gtk::Dialog& box) {
            if (first_box_left_open) {
                given_up_under_the_box =
                    run_until([this] { return !probe->manager().engine_loaded() && probe->waiting() > 0; }, 20000);
                title_under_the_box = window->get_title().raw();
            }
            answer_dialog("Message:", [&](Gtk::Dialog& next) {
                again = dynamic_cast<Gtk::MessageDialog&>(next).property_secondary_text().get_value();
                save_screenshot(next, "engine_given_up");
                next.response(Gtk::RESPONSE_OK);
            });
            box.response(Gtk::RESPONSE_OK);
        });
        drag(12, 28);
        ASSERT_TRUE(run_until([&] { return !again.empty() && probe->waiting() == 0; }, 30000)) << first_box_left_open;
        if (first_box_left_open) {
            EXPECT_TRUE(given_up_under_the_box);
            EXPECT_EQ(title_under_the_box, "Human  FakeEngine 1.0");
        }
        EXPECT_TRUE(contains(again, "crashed again, not restarted")) << again;
        EXPECT_EQ(window->get_title().raw(), "Human  FakeEngine 1.0 (no engine loaded)");
        EXPECT_TRUE(probe->active("HumanHuman"));
        const std::vector<std::string> clocks = probe->clock_texts();
        widget_test::run_for(1200);
        EXPECT_EQ(probe->clock_texts(), clocks);
        drag(52, 36);
        EXPECT_EQ(probe->plies(), 2);
    }
}

// Stepping through the game keeps both sides' clocks; a new game or engine
// gives both sides the full time control, as the manager does, also from
// Human - human and Analysis.
TEST_F(InStepTest, TheClocksAgreeWithTheManagerAfterSteppingBackAndAtANewGame)
{
    const std::string told = directory + "/told.txt";
    setenv("TORVANE_FAKE_RECORD", told.c_str(), 1);
    load_engine("load 1 filename " + fake_engine("legal"));
    unsetenv("TORVANE_FAKE_RECORD");
    activate("HumanComputer");
    widget_test::run_for(500);  // the board takes no drop just after the window came up
    drag(12, 28);
    ASSERT_TRUE(run_until([this] { return probe->plies() == 2; }, 20000));
    widget_test::run_for(1600);
    drag(11, 27);
    ASSERT_TRUE(run_until([this] { return probe->plies() == 4; }, 20000));
    probe->navigation_button(1).clicked();
    probe->navigation_button(1).clicked();
    activate("HumanComputer");
    const int shown_white = std::stoi(probe->clock_texts()[1].substr(2));
    drag(6, 21);
    ASSERT_TRUE(run_until([&] { return count(read_file(told), "go wtime") == 3; }, 20000));
    const std::string last_go = read_file(told).substr(read_file(told).rfind("go wtime ") + 9);
    EXPECT_NEAR(std::stoi(last_go) / 1000, shown_white, 1) << last_go;
    EXPECT_LT(std::stoi(last_go), 9600) << last_go;
    // A position typed in starts both clocks afresh, the manager's too.
    type_fen(start_fen);
    drag(12, 28);
    ASSERT_TRUE(run_until([&] { return count(read_file(told), "go wtime") == 4; }, 20000));
    const std::string fresh_go = read_file(told).substr(read_file(told).rfind("go wtime ") + 9);
    EXPECT_GT(std::stoi(fresh_go), 9600) << fresh_go;

    const struct {
        const char* change;
        std::function<void()> act;
    } fresh_starts[] = {
        {"engine loaded", [this] { load_engine("load 1 filename " + fake_engine("legal")); }},
        {"new game from Human - human", [this] {
             activate("HumanHuman");
             activate("NewGame");
         }},
        {"new game from Analysis", [this] {
             activate("AnalyzePosition");
             activate("NewGame");
         }},
    };
    for (const auto& row : fresh_starts) {
        apply({"wtime 5000", "btime 6000"});
        row.act();
        widget_test::run_for(120);
        EXPECT_EQ(probe->clock_texts(), (std::vector<std::string>{"White: ", "0:10", "Black: ", "0:10"})) << row.change;
    }
}

}
}
