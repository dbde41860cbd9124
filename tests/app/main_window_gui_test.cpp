#include "window_test_fixture.h"

#include "app/message_inbox.h"
#include "app/pgn_date.h"
#include "tests/gui/dialog_test_support.h"
#include "tests/gui/widget_test_support.h"
#include "tests/support/peer_programs.h"
#include "tests/support/process_group.h"
#include "tests/support/start_position.h"
#include "tests/support/test_time.h"

#include <gtkmm/aboutdialog.h>
#include <gtkmm/menu.h>
#include <gtkmm/menuitem.h>
#include <gtkmm/messagedialog.h>
#include <gtkmm/textview.h>

#include <algorithm>
#include <chrono>
#include <csignal>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

namespace window_test {
namespace {

using namespace std::chrono_literals;
using torvane_test::start_fen;

TEST_F(WindowTest, StartsInHumanHumanWithTheStartPositionAndDefaultClocks)
{
    EXPECT_EQ(window->get_title(), "Torvane (no engine loaded)");
    EXPECT_TRUE(probe->active("HumanHuman"));
    for (const char* greyed : {"StartThinking", "HumanComputer", "Ponder", "AnalyzePosition"})
        EXPECT_FALSE(probe->action(greyed)->is_sensitive()) << greyed;
    for (const char* available : {"NewGame", "LoadGame", "Setup", "HumanHuman", "LearnOpenings", "Tournament", "New",
                                  "Engine1", "TimeControl", "Debug", "About", "Flip", "ShowFEN", "Quit"})
        EXPECT_TRUE(probe->action(available)->is_sensitive()) << available;
    EXPECT_FALSE(probe->fen_entry().is_visible());
    for (Gtk::Window* side : probe->side_windows())
        EXPECT_FALSE(side->is_visible());
    EXPECT_EQ(probe->fen(), start_fen);
    EXPECT_EQ(probe->fen_entry().get_text(), start_fen);
    EXPECT_EQ(probe->clock_texts(), (std::vector<std::string>{"White: ", "0:10", "Black: ", "0:10"}));
    EXPECT_EQ(probe->game().pgn_tags(), "[Event \"Torvane battles\"]\n[Site \"the North Sea\"]\n[Date \"" +
                                            pgn_date_today() +
                                            "\"]\n[Round \"?\"]\n[White \"?\"]\n[Black \"?\"]\n[Result \"*\"]\n\n");
    // The manager took the start-up commands: it answers a level with both clocks.
    apply({});
    save_screenshot(*window, "main_window_start");

    // With debugging on, what start-up sends shows in the log as the mode
    // handlers send it (Setup took the castling rights away); lines from the
    // manager are logged as they come.
    activate("Debug");
    activate("Setup");
    activate("HumanHuman");
    apply({"shout hello"});
    const std::string log = read_file("interface.log");
    const std::vector<std::string> expected = {" interface --> 0 debug true\n", " interface --> 0 setboard rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w - - 0 1",
                                               " interface --> 0 human_human", " manager -----> shout hello"};
    std::size_t at = 0;
    for (const std::string& part : expected) {
        at = log.find(part, at);
        ASSERT_NE(at, std::string::npos) << part << " in\n" << log;
    }
    EXPECT_EQ(log.find("wake_up"), std::string::npos);
    EXPECT_EQ(log.substr(5, 1), ".");
}

// A full disk (here a file size limit below every log's size) fails a write
// to each debug log; once writing works again, every log goes on.
TEST_F(LoggedWindowTest, EveryLogGoesOnOnceWritingWorksAgain)
{
    load_engine("load 1 filename " + fake_engine(""));
    // Each log and a line that New game writes to it.
    const std::pair<const char*, const char*> logs[] = {
        {"interface.log", "--> 0 new\n"}, {"manager.log", "-> 0 new\n"}, {"engine1.log", "<- ucinewgame\n"}};
    rlimit saved{};
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &saved), 0);
    const auto previous_handler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit full = saved;
    full.rlim_cur = 1;
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &full), 0);
    activate("NewGame");
    widget_test::run_for(500);
    setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, previous_handler);
    std::vector<std::size_t> sizes;
    for (const auto& [log, line] : logs)
        sizes.push_back(read_file(log).size());
    activate("NewGame");
    for (std::size_t i = 0; i < std::size(logs); ++i) {
        const auto& [log, line] = logs[i];
        EXPECT_TRUE(run_until([&] { return contains(read_file(log).substr(sizes[i]), line); })) << log;
    }
}

TEST_F(WindowTest, AppliesMovesCommentsClocksNamesAndArrows)
{
    // Engines play both sides, as in a tournament game: the manager names the players.
    probe->set_engine_sides(1, 1);
    apply({"white_info depth 12 score cp 25 time 5432 nodes 900 nps 800 pv e2e4", "move e2e4", "emt 5432",
           "black_info depth 3 score mate 3 currmove e7e5", "black_info depth 4", "move e7e5",
           "wtime 600000", "btime 61990", "whitename  Alpha  One ", "blackname Beta", "WhiteElo 2500"});
    EXPECT_EQ(probe->fen(), "rnbqkbnr/pppp1ppp/8/4p3/4P3/8/PPPP1PPP/RNBQKBNR w KQkq - 0 2");
    const std::string pgn = probe->pgn();
    EXPECT_NE(pgn.find("1.e4 {[%eval 0.25][%emt 0:0:5][%acn 900][%nps 800][%depth 12][%time 5432]}\n"
                       "1...e5 {[%eval #-3][%depth 4]} *"),
              std::string::npos)
        << pgn;
    EXPECT_EQ(probe->game().get_tag("ECO"), "C20");
    widget_test::run_for(100);  // the clocks show on the next tick
    EXPECT_TRUE(probe->clock_texts()[1] == "10:00" || probe->clock_texts()[1] == "9:59");  // White's runs
    EXPECT_EQ(probe->clock_texts()[3], "1:01");
    EXPECT_EQ(window->get_title(), "Alpha  One  Beta (no engine loaded)");

    apply({"set_arrow 12 28 x"});
    save_screenshot(*window, "main_window_arrow");
    apply({"clear_arrows"});

    apply({"level fixed_depth 8", "round 7", "event  Spring Cup", "site Harbour"});
    EXPECT_EQ(probe->level(), Level("fixed_depth 8  0").to_string());
    EXPECT_EQ(probe->game().get_tag("Round"), "7");
    EXPECT_EQ(probe->game().get_tag("Event"), "Spring Cup");
    EXPECT_EQ(probe->game().get_tag("Site"), "Harbour");

    apply({"black_info score cp 40", "setboard 4k3/8/8/8/8/8/8/4K2R b K - 5 30"});
    EXPECT_EQ(probe->fen(), "4k3/8/8/8/8/8/8/4K2R b K - 0 1");
    EXPECT_EQ(probe->game().get_tag("FEN"), "4k3/8/8/8/8/8/8/4K2R b K - 0 1");
    EXPECT_TRUE(probe->black_comment().empty());
}

TEST_F(WindowTest, FinishedGameIsAppendedOnceAndAFreshRecordForgetsTheOldOne)
{
    apply({"1-0 {White mates}"});  // no move: nothing is written
    EXPECT_FALSE(std::filesystem::exists("Torvane battles.pgn"));

    probe->comment_editor().set_comment("old remark");
    apply({"whitename W", "blackname B", "move f2f3", "move e7e5", "move g2g4", "move d8h4",
           "0-1 {Black mates}", "0-1 {Black mates}"});
    std::string error;
    std::string refused;
    answer_message(error, &refused);
    apply({"move a2a3"});  // after the end: refused and reported
    EXPECT_TRUE(run_until([&refused] { return !refused.empty(); }));
    EXPECT_NE(refused.find("Move a2a3 arrived after the end of the game."), std::string::npos) << refused;
    const std::string file = read_file("Torvane battles.pgn");
    EXPECT_NE(file.find("1.f3 e5 2.g4 Qh4# {Black mates} 0-1"), std::string::npos) << file;
    EXPECT_EQ(file.find("[Event"), file.rfind("[Event"));  // one game
    // Played in Human - human: the players are those the manager named, and
    // the clocks' time control is not the game's.
    EXPECT_TRUE(contains(file, "[White \"W\"]\n[Black \"B\"]")) << file;
    EXPECT_EQ(file.find("[TimeControl"), std::string::npos) << file;

    apply({"new"});
    EXPECT_EQ(probe->comment_editor().get_comment(), "");
    EXPECT_EQ(probe->fen(), start_fen);
    EXPECT_EQ(probe->game().get_result(), "*");

    // A new engine or tournament game: the record starts afresh with the
    // announced event and the diagram's position.
    apply({"move e2e4", "event Autumn", "site Pier", "round 2",
           "diagram 4k3/8/8/8/8/8/8/4K2R w K - 0 1"});
    EXPECT_EQ(probe->game().pgn_tags().find("ECO"), std::string::npos);
    EXPECT_EQ(probe->game().get_tag("Event"), "Autumn");
    EXPECT_EQ(probe->game().get_tag("Site"), "Pier");
    EXPECT_EQ(probe->game().get_tag("Round"), "2");
    EXPECT_EQ(probe->game().get_tag("SetUp"), "1");
    EXPECT_EQ(probe->game().get_tag("FEN"), "4k3/8/8/8/8/8/8/4K2R w K - 0 1");
    EXPECT_TRUE(probe->game().is_empty());

    // A file that cannot take the game: the user is told.
    std::filesystem::remove("Torvane battles.pgn");
    std::filesystem::create_directory("Torvane battles.pgn");
    std::string told;
    answer_message(told);
    apply({"move h1h8", "1-0 {White mates}"});
    EXPECT_EQ(told, "Game not saved");

    // A comment typed but not yet stored goes with its move into the file.
    std::filesystem::remove("Torvane battles.pgn");
    apply({"new", "move e2e4"});
    probe->comment_editor().set_comment("typed at the end");
    apply({"emt 700", "1/2-1/2 {Drawn}"});
    EXPECT_TRUE(contains(read_file("Torvane battles.pgn"), "1.e4 {typed at the end[%time 700]}"))
        << read_file("Torvane battles.pgn");
}

TEST_F(WindowTest, LinesThatCannotBeAppliedAreReportedAndAFailedEngineLoadFallsBackToHumanHuman)
{
    for (const char* bad : {"move e2e5", "wtime soon", "setboard 8/8 w", "set_arrow 1 99 g", "level nonsense 1 2 3"}) {
        std::string told;
        answer_message(told);
        apply({bad, "round 9"});
        EXPECT_TRUE(run_until([&told] { return !told.empty(); })) << bad;
        EXPECT_EQ(told, "The window could not follow the game manager") << bad;
        EXPECT_EQ(probe->game().get_tag("Round"), "9") << bad;
        apply({"round 1"});
    }
    EXPECT_EQ(probe->fen(), start_fen);

    apply({"engine1name ???"});
    EXPECT_EQ(window->get_title(), "Torvane (no engine loaded)");
    EXPECT_TRUE(probe->active("HumanHuman"));
    EXPECT_FALSE(probe->action("HumanComputer")->is_sensitive());
    apply({"reset mode", "tournament_finished"});
    EXPECT_TRUE(probe->active("HumanHuman"));
}

TEST_F(WindowTest, MessageBoxKeepsTheManagerRunning)
{
    send("load 1 filename " + fake_engine(""));
    ASSERT_TRUE(run_until([this] { return window->get_title() == "FakeEngine 1.0"; }, 20000));
    std::size_t waiting_while_open = 0;
    std::string title;
    answer_dialog("Message:", [&](Gtk::Dialog& dialog) {
        title = dynamic_cast<Gtk::MessageDialog&>(dialog).property_text().get_value();
        // The manager answers every "level" with the engine's clock while the box is open.
        for (int i = 0; i < 20; ++i)
            send("level sessions 40 0:10 0.1");
        const auto deadline = std::chrono::steady_clock::now() + torvane_test::scaled(std::chrono::seconds(10));
        while (probe->waiting() < 20 && std::chrono::steady_clock::now() < deadline)
            widget_test::run_for(20);
        waiting_while_open = probe->waiting();
        dialog.response(Gtk::RESPONSE_OK);
    });
    apply({"telluser No_tournament_loaded"});
    EXPECT_EQ(title, "No tournament loaded");
    EXPECT_GE(waiting_while_open, 20u);
    apply({});
}

TEST_F(WindowTest, FlipTurnsTheBoardAndBackAndAboutShowsTheLogo)
{
    const auto before = widget_test::screenshot(probe->board());
    activate("Flip");
    widget_test::run_for(200);
    save_screenshot(*window, "main_window_flipped");
    const auto flipped = widget_test::screenshot(probe->board());
    activate("Flip");
    widget_test::run_for(200);
    const auto back = widget_test::screenshot(probe->board());
    const auto same = [](const Glib::RefPtr<Gdk::Pixbuf>& a, const Glib::RefPtr<Gdk::Pixbuf>& b) {
        return a->get_byte_length() == b->get_byte_length() &&
               std::equal(a->get_pixels(), a->get_pixels() + a->get_byte_length(), b->get_pixels());
    };
    EXPECT_FALSE(same(before, flipped));
    EXPECT_TRUE(same(before, back));

    bool logo = false;
    answer_dialog("About Torvane", [&](Gtk::Dialog& dialog) {
        logo = static_cast<bool>(dynamic_cast<Gtk::AboutDialog&>(dialog).get_logo());
        save_screenshot(dialog, "about_dialog");
        dialog.response(Gtk::RESPONSE_CLOSE);
    });
    activate("About");
    EXPECT_TRUE(logo);
}

TEST_F(WindowTest, QuitJoinsTheManagerAlsoWithAnEngineThatIgnoresQuit)
{
    send("load 1 filename " + fake_engine("hang"));
    ASSERT_TRUE(run_until([this] { return window->get_title() == "FakeEngine 1.0"; }, 20000)) << window->get_title();
    EXPECT_TRUE(probe->action("HumanComputer")->is_sensitive());
    EXPECT_TRUE(quit_within(15000));
}

// How the window is asked to go, and whether its engine is still starting
// (a wrapper that sleeps 20 s first) or ignores "quit" and SIGTERM while it
// analyses.
struct QuitRequest {
    const char* name;
    int signal;  // 0: File > Quit
    bool late;
};

void PrintTo(const QuitRequest& request, std::ostream* out) { *out << request.name; }

class QuitWithinTheBound : public WindowTest, public ::testing::WithParamInterface<QuitRequest> {};

TEST_P(QuitWithinTheBound, EndsTheWindowAndEveryProcessOfItsEngine)
{
    const QuitRequest& request = GetParam();
    FakeEngineMode mode(request.late ? "" : "hang_hard");
    if (request.late) {
        std::ofstream("late.sh") << "#!/bin/sh\nsleep 20\nexec " << fake_engine("") << "\n";
        chmod("late.sh", 0700);
        send("load 0 filename " + directory + "/late.sh");
    } else {
        send("load 1 filename " + fake_engine(""));
        ASSERT_TRUE(run_until([this] { return window->get_title() == "FakeEngine 1.0"; }, 20000));
        send("analyzeposition");
    }
    std::vector<pid_t> engines;
    ASSERT_TRUE(run_until([&engines] { return !(engines = torvane_test::child_processes(getpid())).empty(); }));
    const auto start = std::chrono::steady_clock::now();
    if (request.signal == 0)
        activate("Quit");
    else
        ::kill(getpid(), request.signal);
    ASSERT_TRUE(run_until([this] { return !window->get_visible(); }, torvane_test::scaled(5000ms).count()));
    probe.reset();
    window.reset();
    EXPECT_LT(std::chrono::steady_clock::now() - start, torvane_test::scaled(3500ms));
    for (pid_t engine : engines)
        EXPECT_FALSE(torvane_test::process_group_running(engine)) << engine;
}

INSTANTIATE_TEST_SUITE_P(Requests, QuitWithinTheBound,
                         ::testing::Values(QuitRequest{"quit_during_a_late_start", 0, true},
                                           QuitRequest{"sigterm_during_a_late_start", SIGTERM, true},
                                           QuitRequest{"sigterm_with_a_hung_engine", SIGTERM, false},
                                           QuitRequest{"sigint_with_a_hung_engine", SIGINT, false},
                                           QuitRequest{"sighup_with_a_hung_engine", SIGHUP, false}),
                         [](const auto& info) { return std::string(info.param.name); });

// A quit signal while a dialog runs closes it as the user would, so that
// the window can go.
TEST_F(WindowTest, AQuitSignalClosesAnOpenDialogAndEndsTheWindow)
{
    answer_dialog("About Torvane", [](Gtk::Dialog&) { ::kill(getpid(), SIGTERM); });
    activate("About");
    EXPECT_TRUE(run_until([this] { return !window->get_visible(); }, torvane_test::scaled(5000ms).count()));
}

// The Mode menu's item in the menu bar, clicked with the real pointer.
void click_mode_menu(Interface& window)
{
    Gtk::MenuItem& mode = dialog_test::labelled<Gtk::MenuItem>(window, "Mode");
    dialog_test::click(mode, mode.get_allocated_width() / 2, mode.get_allocated_height() / 2);
}

bool mode_menu_open(Interface& window)
{
    return dialog_test::labelled<Gtk::MenuItem>(window, "Mode").get_submenu()->get_mapped();
}

bool toolkit_warned(const std::string& errors)
{
    return contains(errors, "GLib") || contains(errors, "Gtk-");
}

TEST_F(WindowTest, AWindowDestroyedWithAMenuOpenLeavesNoWarning)
{
    click_mode_menu(*window);
    ASSERT_TRUE(mode_menu_open(*window));
    testing::internal::CaptureStderr();
    window.reset();
    const std::string errors = testing::internal::GetCapturedStderr();
    EXPECT_FALSE(toolkit_warned(errors)) << errors;
}

// What the user, or the manager, does while the window waits for "quit".
struct InputWhileQuitting {
    const char* name;
    void (*input)(Interface& window, InterfaceProbe& probe);
};

const InputWhileQuitting inputs_while_quitting[] = {
    {"ModeAction", [](Interface&, InterfaceProbe& probe) { probe.action("Setup")->activate(); }},
    {"ModeMenu", [](Interface& window, InterfaceProbe&) { click_mode_menu(window); }},
    {"ManagerMessage", [](Interface& window, InterfaceProbe&) { window.put_command("telluser Too_late"); }},
};

// The test's log names each input by its name, not by its bytes.
void PrintTo(const InputWhileQuitting& input, std::ostream* out)
{
    *out << input.name;
}

class QuitWithAHangingEngine : public WindowTest, public ::testing::WithParamInterface<InputWhileQuitting> {};

// An engine that ignores "quit" holds the manager up for its quit timeout:
// meanwhile the window takes no input, opens no box, and the toolkit has
// nothing to warn about.
TEST_P(QuitWithAHangingEngine, TheWindowTakesNoInputWhileItWaits)
{
    send("load 1 filename " + fake_engine("hang"));
    ASSERT_TRUE(run_until([this] { return window->get_title() == "FakeEngine 1.0"; }, 20000)) << window->get_title();
    std::string told;
    answer_message(told);
    testing::internal::CaptureStderr();
    activate("Quit");
    GetParam().input(*window, *probe);
    widget_test::run_for(200);
    const bool waiting = window->get_visible();
    const bool menu_open = mode_menu_open(*window);
    const bool setup = probe->active("Setup");
    const bool quit = quit_within(15000);
    const std::string errors = testing::internal::GetCapturedStderr();
    ASSERT_TRUE(waiting);  // else the input came too late to tell anything
    EXPECT_FALSE(menu_open);
    EXPECT_FALSE(setup);
    EXPECT_EQ(told, "");
    EXPECT_TRUE(quit);
    EXPECT_FALSE(toolkit_warned(errors)) << errors;
}

INSTANTIATE_TEST_SUITE_P(Inputs, QuitWithAHangingEngine, ::testing::ValuesIn(inputs_while_quitting),
                         [](const auto& info) { return std::string(info.param.name); });

// An engine that floods its analysis: the window's waiting lines and its
// output panes stay bounded, and the window still quits.
TEST_F(WindowTest, AFloodingAnalysisLeavesTheWindowBounded)
{
    load_engine("load 1 filename " + fake_engine("flood"));
    send("analyzeposition");
    Gtk::TextView& white = *widget_test::find_all<Gtk::TextView>(*probe->side_windows().at(0)).at(1);
    ASSERT_TRUE(run_until([&] { return white.get_buffer()->get_line_count() > 1000; }, 20000));
    widget_test::run_for(2000);
    EXPECT_LE(probe->waiting(), MessageInbox::waiting_info_limit + 10);
    EXPECT_LE(white.get_buffer()->get_line_count(), 1003);
    EXPECT_TRUE(quit_within(15000));
}

}
}

namespace window_test {
namespace {

TEST(Program, AnUnusablePerUserDirectoryEndsItWithTheErrorAndAFailureStatus)
{
    // Outside /home the per-user directory is the working directory, whose
    // "tournaments" must be a directory: a plain file of that name, which no
    // user (root neither) can turn into one, stops the program.
    const std::string start = torvane_test::make_temp_dir("torvane-start");
    std::ofstream(start + "/tournaments") << "not a directory\n";
    const std::string output =
        torvane_test::run_command("cd " + torvane_test::quoted(start) + " && " +
                                  torvane_test::quoted(TORVANE_BINARY_DIR "/app/torvane") + " -s 640 2>&1; echo status=$?");
    EXPECT_NE(output.find("boardsize=640\n"), std::string::npos) << output;
    EXPECT_NE(output.find("tournaments"), std::string::npos) << output;
    EXPECT_NE(output.find("status=1"), std::string::npos) << output;
}

}
}
