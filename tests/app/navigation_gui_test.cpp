// Moving through a game with the navigation buttons and by presses in the PGN
// window, the FEN row, and the side windows of the View menu.
#include "window_test_fixture.h"

#include "app/pgn_date.h"
#include "gui/board.h"
#include "gui/drawing.h"
#include "tests/gui/widget_test_support.h"
#include "tests/support/peer_programs.h"
#include "tests/support/start_position.h"

#include <gtk/gtk.h>
#include <gtkmm/textview.h>

#include <fstream>

namespace window_test {
namespace {

using torvane_test::start_fen;

enum { first, back, forward, last };

std::string fen_after(const std::vector<std::string>& moves)
{
    ChessGame game;
    for (const std::string& san : moves)
        game.add_san_move(san);
    return game.position().fen();
}

Gtk::TextView& view_of(Gtk::Widget& window)
{
    return *widget_test::find_all<Gtk::TextView>(window).at(0);
}

std::string text_of(Gtk::Widget& window)
{
    return view_of(window).get_buffer()->get_text().raw();
}

// Closes a top-level window as its title bar's close button does.
void close_by_title_bar(Gtk::Window& window)
{
    GdkEvent* event = gdk_event_new(GDK_DELETE);
    event->any.window = GDK_WINDOW(g_object_ref(window.get_window()->gobj()));
    gtk_main_do_event(event);
    gdk_event_free(event);
    widget_test::run_for(100);
}

class NavigationTest : public LoggedWindowTest {
protected:
    void SetUp() override
    {
        LoggedWindowTest::SetUp();
        const int tops[] = {0, 340, 800, 1000};  // beside the main window, apart from each other
        for (int i = 0; i < 4; ++i)
            probe->side_windows()[static_cast<std::size_t>(i)]->move(1000, tops[i]);
    }
    void press(int button)
    {
        probe->navigation_button(button).clicked();
        widget_test::run_for(50);
    }
    void set_mode(const char* name)
    {
        probe->action(name)->set_sensitive(true);
        Glib::RefPtr<Gtk::RadioAction>::cast_dynamic(probe->action(name))->set_active(true);
    }
    // Presses the mouse on the first character of a token of the PGN window.
    void click_text(const std::string& token)
    {
        Gtk::TextView& view = view_of(probe->pgn_view());
        Gdk::Rectangle box;
        const auto at = static_cast<int>(text_of(view).find(token));
        view.get_iter_location(view.get_buffer()->get_iter_at_offset(at), box);
        int x = 0;
        int y = 0;
        view.buffer_to_window_coords(Gtk::TEXT_WINDOW_WIDGET, box.get_x() + 2, box.get_y() + box.get_height() / 2, x,
                                     y);
        widget_test::move_pointer(view, x, y);
        widget_test::send_press(view);
        widget_test::run_for(50);
    }
    void load_game(const std::string& movetext)
    {
        const std::string result = movetext.substr(movetext.rfind(' ') + 1);
        std::ofstream("walk.pgn") << "[Event \"Walk\"]\n[Result \"" << result << "\"]\n\n" << movetext << "\n\n";
        answer_file_chooser(directory + "/walk.pgn");
        answer_list("Choose Game", 1);
        activate("LoadGame");
    }
    // The window shows the position on the screen, the PGN window marks the
    // move, and the clock row shows the side to move's name in green.
    void expect_shown(const std::string& fen, const std::string& mark, const std::string& step)
    {
        EXPECT_EQ(probe->fen(), fen) << step;
        Gtk::Widget& drawing = *dynamic_cast<Board*>(probe->board().get_child())->get_child();
        const std::string on_screen = widget_test::read_squares(widget_test::screenshot(drawing));
        EXPECT_EQ(on_screen, widget_test::expected_squares(fen, false)) << step;
        const Glib::RefPtr<Gtk::TextBuffer> buffer = view_of(probe->pgn_view()).get_buffer();
        Glib::ustring marked;
        for (Gtk::TextIter at = buffer->begin(); at != buffer->end(); ++at)
            if (at.has_tag(buffer->get_tag_table()->lookup("blue_move")))
                marked += at.get_char();
        EXPECT_EQ(marked.raw(), mark) << step;
        const auto shot = widget_test::screenshot(probe->clocks());
        const auto green = [&](int index) {
            Gtk::Label& name = *widget_test::find_all<Gtk::Label>(probe->clocks()).at(index);
            int x = 0;
            int y = 0;
            name.translate_coordinates(probe->clocks(), 2, name.get_allocated_height() / 2, x, y);
            return widget_test::pixel(shot, x, y).green == 255;
        };
        EXPECT_EQ(green(0) ? 'w' : green(2) ? 'b' : '-', fen.at(fen.find(' ') + 1)) << step;
    }
};

TEST_F(NavigationTest, WalksAGameWithAVariationByButtonsAndPresses)
{
    load_game("1. e4 {open} e5 2. Nf3 (2. Bc4 Nf6) Nc6 3. Bb5 *");
    activate("ShowPgnView");
    activate("ShowCommentEditor");
    set_mode("HumanComputer");
    probe->set_engine_sides(0, 1);
    const std::vector<std::string> e5 = {"e4", "e5"};
    const std::vector<std::string> nf3 = {"e4", "e5", "Nf3"};
    const std::vector<std::string> bc4 = {"e4", "e5", "Bc4"};
    const std::vector<std::string> nf6 = {"e4", "e5", "Bc4", "Nf6"};
    const std::vector<std::string> bb5 = {"e4", "e5", "Nf3", "Nc6", "Bb5"};
    struct Step {
        int button;  // -1: a press on the token in the PGN window
        const char* token;
        std::vector<std::string> moves;
        const char* mark;
        std::size_t setboards;
        const char* comment;  // in the editor afterwards
        const char* typed;    // into the editor before the step
    };
    const Step steps[] = {
        {first, "", {}, "", 1, "", ""}, {first, "", {}, "", 1, "", ""}, {back, "", {}, "", 0, "", ""},
        {forward, "", {"e4"}, "e4 {open}", 1, "open", ""}, {forward, "", e5, "e5", 1, "", ""},
        {forward, "", nf3, "Nf3", 1, "", ""}, {back, "", e5, "e5", 1, "", "quiet"},
        {-1, "Bc4", bc4, "Bc4", 1, "", ""}, {forward, "", nf6, "Nf6", 1, "", ""},
        {forward, "", nf6, "Nf6", 0, "", ""}, {back, "", bc4, "Bc4", 1, "", ""},
        {-1, "Nf3", nf3, "Nf3 {quiet}", 1, "quiet", ""}, {last, "", bb5, "Bb5", 1, "", ""},
        {last, "", bb5, "Bb5", 0, "", ""}, {-1, "[Event", bb5, "Bb5", 1, "", ""},
    };
    for (const Step& step : steps) {
        const std::string name = step.button < 0 ? step.token : std::to_string(step.button);
        if (*step.typed)
            probe->comment_editor().set_comment(step.typed);
        const std::size_t before = sent("setboard");
        if (step.button < 0)
            click_text(step.token);
        else
            press(step.button);
        EXPECT_TRUE(probe->active("HumanHuman")) << name;
        EXPECT_EQ(sent("setboard") - before, step.setboards) << name;
        EXPECT_EQ(probe->comment_editor().get_comment(), step.comment) << name;
        expect_shown(fen_after(step.moves), step.mark, name);
    }
    EXPECT_NE(text_of(probe->pgn_view()).find("2.Nf3 {quiet} ( 2.Bc4 Nf6) 2...Nc6"), std::string::npos);
    save_screenshot(probe->pgn_view(), "navigation_pgn_view");

    // Two engines at play: the buttons do nothing, a press in the PGN window still moves.
    probe->set_engine_sides(1, 1);
    press(first);
    expect_shown(fen_after(bb5), "Bb5", "both engines");
    click_text("e5");
    expect_shown(fen_after(e5), "e5", "both engines, press");
    probe->set_engine_sides(0, 0);

    // In Analysis every step is analysed and the mode stays.
    set_mode("AnalyzePosition");
    press(back);
    EXPECT_TRUE(probe->active("AnalyzePosition"));
    const std::string log = WindowTest::log();
    const std::size_t setboard = log.rfind("setboard " + fen_after({"e4"}) + "\n");
    ASSERT_NE(setboard, std::string::npos);
    EXPECT_NE(log.find("analyzeposition\n", setboard), std::string::npos);
}

TEST_F(NavigationTest, AMoveOfTheRecordThatIsNotLegalStopsThePressBeforeItAndIsReported)
{
    load_game("1. e4 e5 (1... e4 2. d4) 2. Nf3 *");
    activate("ShowPgnView");
    press(first);
    std::string told;
    answer_message(told);
    click_text("d4)");
    EXPECT_EQ(told, "Error");
    expect_shown(fen_after({"e4"}), "e4", "stopped before 1...e4");
}

TEST_F(NavigationTest, AMoveOnItsWayWhenTheUserStepsBackGoesBehindTheGamesLastMove)
{
    apply({"move e2e4", "move e7e5", "move g1f3"});
    activate("ShowPgnView");
    press(back);
    press(back);
    apply({"black_info depth 5 score cp 30", "move b8c6"});
    expect_shown(fen_after({"e4"}), "e4", "after the late move");
    EXPECT_NE(probe->pgn().find("1.e4 e5 2.Nf3 Nc6 {[%eval -0.3][%depth 5]} *"), std::string::npos) << probe->pgn();
    std::string told;
    std::string why;
    answer_message(told, &why);
    apply({"move e2e4"});  // it does not fit where the game stands: reported, nothing changes
    EXPECT_TRUE(run_until([&told] { return !told.empty(); }));
    EXPECT_EQ(told, "The window could not follow the game manager");
    EXPECT_NE(why.find("e2e4"), std::string::npos) << why;
    press(last);
    expect_shown(fen_after({"e4", "e5", "Nf3", "Nc6"}), "Nc6 {[%eval -0.3][%depth 5]}", "last");

    // Stepping away from a game's result lets the board take moves again.
    apply({"move f1c4", "move g8f6", "1-0 {Black resigns}"});
    press(back);  // from the result to the last move
    press(back);
    widget_test::run_for(400);
    drag(51, 35);
    EXPECT_EQ(sent("usermove d7d5"), 1u);
    EXPECT_NE(probe->pgn().find("( 3... d5)"), std::string::npos) << probe->pgn();
}

TEST_F(NavigationTest, APressPicksTheMoveUnderThePointerAfterTheRecordsTextChanged)
{
    ChessPosition start;
    start.set_start_position();
    // Each changes the record's tag section behind the view's back.
    const std::string changes[] = {"setboard " + start.fen(), "event A longer event than before", "round 12",
                                   "site Elsewhere"};
    activate("ShowPgnView");
    apply({"move e2e4", "move e7e5", "move g1f3"});
    for (const std::string& change : changes) {
        press(last);
        apply({change});
        widget_test::run_for(100);
        EXPECT_EQ(text_of(probe->pgn_view()), probe->pgn()) << change;
        click_text("e5");
        expect_shown(fen_after({"e4", "e5"}), "e5", change);
    }
}

TEST_F(NavigationTest, AtTheEndOfALoadedGameTheBoardAndTheRecordAgree)
{
    struct Case {
        const char* movetext;
        int backs;  // navigation before the drop
        int from;
        int to;
        bool taken;  // the drop becomes a move of board and record
        const char* result;  // of the record afterwards
        bool finished;
        const char* appended;  // the end of the game appended to the event's file, "" for none
    };
    const Case cases[] = {
        {"1. e4 e5 2. Nf3 1-0", 0, 57, 42, false, "1-0", true, ""},
        {"1. e4 e5 2. Nf3 *", 0, 57, 42, true, "*", false, ""},
        {"1. f3 e5 2. g4 Qh4# *", 0, 8, 16, false, "*", true, ""},
        {"1. f3 e5 2. g4 *", 0, 59, 31, true, "0-1", true, "Qh4# {Black mates} 0-1"},
        // A mate inside a variation leaves the game's result alone.
        {"1. f3 e5 2. g4 Nc6 1/2-1/2", 1, 59, 31, true, "1/2-1/2", false, ""},
        {"1. e3 a5 2. Qh5 Ra6 3. Qxa5 h5 4. h4 Rah6 5. Qxc7 f6 6. Qxd7+ Kf7 7. Qxb7 Qd3 8. Qxb8 Qh7 9. Qxc8 Kg6 *",
         0, 58, 44, true, "1/2-1/2", true, "Qe6 {Stalemate} 1/2-1/2"},
    };
    widget_test::run_for(400);
    for (const Case& c : cases) {
        load_game(c.movetext);
        for (int i = 0; i < c.backs; ++i)
            press(back);
        const std::string before = probe->fen();
        const std::size_t moves = sent("usermove");
        const std::size_t written = read_file("Torvane battles.pgn").size();
        drag(c.from, c.to);
        const std::string added = read_file("Torvane battles.pgn").substr(written);
        EXPECT_TRUE(contains(added, c.appended)) << added;
        EXPECT_EQ(added.empty(), std::string(c.appended).empty()) << c.movetext;
        EXPECT_EQ(sent("usermove") - moves, c.taken ? 1u : 0u) << c.movetext;
        EXPECT_EQ(probe->fen() != before, c.taken) << c.movetext;
        EXPECT_EQ(probe->game().position().fen(), probe->fen()) << c.movetext;
        EXPECT_EQ(probe->game().get_result(), c.result) << c.movetext;
        EXPECT_TRUE(probe->pgn().ends_with(std::string(c.result) + "\n\n")) << probe->pgn();
        EXPECT_EQ(probe->game_finished(), c.finished) << c.movetext;
    }
    activate("NewGame");  // a fresh record takes moves again
    EXPECT_EQ(probe->fen(), start_fen);
    drag(8, 16);
    EXPECT_EQ(sent("usermove a2a3"), 1u);
}

// Play resumed against the engine from an earlier move: the line played to
// its result is the game, the abandoned continuation a variation of it.
TEST_F(NavigationTest, TheLinePlayedOnFromAnEarlierMoveBecomesTheGame)
{
    widget_test::run_for(400);
    apply({"engine1name Fake"});
    activate("HumanComputer");
    drag(12, 28);
    apply({"move e7e5"});
    drag(6, 21);
    apply({"move b8c6"});
    press(back);
    press(back);
    activate("HumanComputer");
    drag(11, 27);
    apply({"move e5d4", "0-1 {White resigns}"});
    const std::string main_line = torvane_test::run_command(torvane_test::peer_program("pgn-extract") +
                                                            " --quiet -V \"Torvane battles.pgn\" 2>/dev/null");
    EXPECT_TRUE(contains(main_line, "1. e4 e5 2. d4 exd4 { White resigns } 0-1")) << main_line;
    EXPECT_TRUE(contains(read_file("Torvane battles.pgn"), "( 2.Nf3 Nc6)")) << read_file("Torvane battles.pgn");
}

// A finished game stepped back from its result: a move that the engine's
// play makes the game's main line leaves the game unfinished, and one tried
// out without an engine is a variation that keeps the result.
TEST_F(NavigationTest, AGamePlayedOnFromBeforeItsResultHasTheResultOfItsMainLine)
{
    std::ofstream("won.pgn") << "[Event \"Club\"]\n[Result \"1-0\"]\n\n1. e4 e5 2. Nf3 Nc6 3. Bb5 a6 1-0\n";
    apply({"engine1name Fake"});
    widget_test::run_for(400);
    const struct {
        const char* way;
        std::function<void()> play;
        const char* result;
        const char* movetext;
    } rows[] = {
        {"the user against the engine", [this] {
             activate("HumanComputer");
             drag(5, 26);
             apply({"move f8c5"});
         }, "*", "3.Bc4 ( 3.Bb5 a6) Bc5 *"},
        {"Start thinking", [this] {
             activate("HumanComputer");
             activate("StartThinking");
             apply({"move f1c4"});
         }, "*", "3.Bc4 ( 3.Bb5 a6) *"},
        {"Human - human", [this] { drag(5, 26); }, "1-0", "3.Bb5 ( 3.Bc4) a6 1-0"},
        {"Analysis", [this] {
             activate("AnalyzePosition");
             drag(5, 26);
         }, "1-0", "3.Bb5 ( 3.Bc4) a6 1-0"},
    };
    for (const auto& row : rows) {
        answer_file_chooser(directory + "/won.pgn");
        answer_list("Choose Game", 1);
        activate("LoadGame");
        press(back);
        press(back);
        widget_test::run_for(500);  // the board takes no drop just after a step
        row.play();
        EXPECT_EQ(probe->game().get_tag("Result"), row.result) << row.way;
        EXPECT_FALSE(probe->game_finished()) << row.way;
        EXPECT_TRUE(contains(probe->pgn(), std::string("2.Nf3 Nc6 ") + row.movetext)) << row.way << probe->pgn();
    }
}

TEST_F(NavigationTest, CommentsStayWithTheirMovesInAGameAgainstTheEngine)
{
    widget_test::run_for(400);
    apply({"white_info depth 3 score cp 20", "move e2e4"});
    EXPECT_EQ(probe->comment_editor().get_comment(), "[%eval 0.2][%depth 3]");
    drag(52, 36);
    probe->comment_editor().set_comment("my reply");
    apply({"white_info depth 4 score cp 15", "move g1f3", "emt 1200"});
    press(back);
    press(back);
    EXPECT_EQ(probe->comment_editor().get_comment(), "[%eval 0.2][%depth 3]");
    const std::string kept =
        "1.e4 {[%eval 0.2][%depth 3]} 1...e5 {my reply} 2.Nf3\n{[%eval 0.15][%depth 4][%time 1200]}";
    EXPECT_NE(probe->pgn().find(kept), std::string::npos) << probe->pgn();
}

TEST_F(NavigationTest, TheFenRowSetsUpAPositionAndRefusesABadOne)
{
    activate("ShowFEN");
    ASSERT_TRUE(probe->fen_entry().is_visible());
    const auto [width, height] = probe->recorded_size();
    Gtk::Button& ok = *widget_test::find_all<Gtk::Button>(probe->fen_entry()).at(0);
    probe->fen_entry().set_text("4k3/8/8/8/8/8/8/4K2R b K -");
    ok.clicked();
    const std::string fen = "4k3/8/8/8/8/8/8/4K2R b K - 0 1";
    expect_shown(fen, "", "the FEN row");
    EXPECT_EQ(sent("setboard " + fen + "\n"), 1u);
    EXPECT_EQ(probe->game().pgn_tags(),
              "[Event \"Torvane battles\"]\n[Site \"the North Sea\"]\n[Date \"" + pgn_date_today() +
                  "\"]\n[Round \"?\"]\n[White \"?\"]\n[Black \"?\"]\n[Result \"*\"]\n[SetUp \"1\"]\n[FEN \"" + fen +
                  "\"]\n\n");
    EXPECT_EQ(text_of(probe->epd_window()), "4k3/8/8/8/8/8/8/4K2R b K -");
    save_screenshot(*window, "navigation_fen_row");

    probe->comment_editor().set_comment("keep me");
    for (const char* bad : {"not a position", "4k3/8/8/8/8/8/8/8 w - -"}) {
        probe->fen_entry().set_text(bad);
        std::string told;
        answer_message(told);
        ok.clicked();
        ASSERT_TRUE(run_until([&told] { return !told.empty(); })) << bad;
        EXPECT_EQ(probe->fen(), fen) << bad;
        EXPECT_EQ(probe->game().get_tag("FEN"), fen) << bad;
        EXPECT_EQ(probe->comment_editor().get_comment(), "keep me") << bad;
        EXPECT_EQ(sent("setboard"), 1u) << bad;
    }
    activate("ShowFEN");
    widget_test::run_for(300);
    int now_width = 0;
    int now_height = 0;
    window->get_size(now_width, now_height);
    EXPECT_FALSE(probe->fen_entry().is_visible());
    EXPECT_EQ(std::make_pair(now_width, now_height), std::make_pair(width, height));
}

TEST_F(NavigationTest, EachSideWindowIsShownAndHiddenByItsToggleAndItsTitleBar)
{
    const char* toggles[] = {"ShowOutput", "ShowPgnView", "ShowCommentEditor", "ShowEpdCommands"};
    probe->comment_editor().set_comment("kept while hidden");
    for (std::size_t i = 0; i < 4; ++i) {
        Gtk::Window& side = *probe->side_windows()[i];
        activate(toggles[i]);
        ASSERT_TRUE(run_until([&side] { return side.get_mapped(); })) << toggles[i];
        EXPECT_TRUE(probe->active(toggles[i]));
        activate(toggles[i]);
        EXPECT_FALSE(side.is_visible()) << toggles[i];
        activate(toggles[i]);
        ASSERT_TRUE(run_until([&side] { return side.get_mapped(); })) << toggles[i];
        close_by_title_bar(side);
        EXPECT_FALSE(side.is_visible()) << toggles[i];
        EXPECT_FALSE(probe->active(toggles[i])) << toggles[i];
    }
    activate("ShowCommentEditor");
    EXPECT_EQ(probe->comment_editor().get_comment(), "kept while hidden");
}

}
}
