// The window and the manager in step: a move already on its way when the
// user changes the position, Setup while an engine plays, Analysis at every
// new position, and an engine load that keeps the user's game.
#include "window_test_fixture.h"

#include "tests/gui/widget_test_support.h"
#include "tests/support/peer_programs.h"
#include "tests/support/start_position.h"

#include <gtkmm/treeview.h>

#include <fstream>

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
    void load_engine(const std::string& command)
    {
        const std::size_t names = count(log(), "-----> engine1name");
        send(command);
        ASSERT_TRUE(run_until([&] { return count(log(), "-----> engine1name") > names && probe->in_step(); }, 30000));
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

}
}
