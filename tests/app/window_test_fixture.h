#pragma once

#include "app/interface.h"
#include "tests/gui/images_only_from_working_directory.h"
#include "tests/gui/widget_test_support.h"
#include "tests/support/scoped_locale.h"

#include <gtest/gtest.h>
#include <gtkmm/dialog.h>
#include <gtkmm/label.h>

#include <cstdlib>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

// What the window tests read and drive inside the main window.
class InterfaceProbe {
public:
    explicit InterfaceProbe(Interface& window) : m_window(window) {}

    std::string fen() const { return m_window.m_position.fen(); }
    ChessGame& game() { return m_window.m_game; }
    std::string pgn() { return m_window.m_game.pgn(); }
    // The number of moves on the record's main line.
    int plies();
    const std::string& white_comment() const { return m_window.m_white_comment; }
    const std::string& black_comment() const { return m_window.m_black_comment; }
    bool game_finished() const { return m_window.m_game_finished; }
    std::string level() const { return m_window.m_level.to_string(); }
    ChessBoard& board() { return m_window.m_board; }
    Clocks& clocks() { return m_window.m_clocks; }
    FenEntry& fen_entry() { return m_window.m_fen_entry; }
    CommentEditor& comment_editor() { return m_window.m_comment_editor; }
    PgnView& pgn_view() { return m_window.m_pgn_view; }
    AnalysisWindow& analysis_window() { return m_window.m_analysis_window; }
    EpdCommandsWindow& epd_window() { return m_window.m_epd_window; }
    // The navigation buttons: 0 first, 1 back, 2 forward, 3 last.
    Gtk::Button& navigation_button(int index)
    {
        Gtk::Button* const buttons[] = {&m_window.m_goto_first_button, &m_window.m_go_backward_button,
                                        &m_window.m_go_forward_button, &m_window.m_goto_last_button};
        return *buttons[index];
    }
    // The window's size as recorded at the end of its construction.
    std::pair<int, int> recorded_size() const { return {m_window.m_width, m_window.m_height}; }
    std::vector<Gtk::Window*> side_windows()
    {
        return {&m_window.m_analysis_window, &m_window.m_pgn_view, &m_window.m_comment_editor,
                &m_window.m_epd_window};
    }
    GuiManager& manager() { return m_window.m_manager; }
    // What the engine modes (a later part of the window) set: which side an engine plays.
    void set_engine_sides(std::uint32_t white, std::uint32_t black)
    {
        m_window.m_engine_plays_white = white;
        m_window.m_engine_plays_black = black;
    }
    std::pair<std::uint32_t, std::uint32_t> engine_sides() const
    {
        return {m_window.m_engine_plays_white, m_window.m_engine_plays_black};
    }
    Gtk::Button& book_button() { return m_window.m_book_button; }
    const Tournament& tournament() const { return m_window.m_tournament; }
    // The event named in the finished games' file name.
    const std::string& event() const { return m_window.m_event; }
    void set_position_from_line(const std::string& line) { m_window.set_position_from_line(line); }
    const std::string& position_file() const { return m_window.m_position_file; }
    int position_index() const { return m_window.m_position_index; }
    Glib::RefPtr<Gtk::Action> action(const std::string& name) { return m_window.m_actions->get_action(name); }
    bool active(const std::string& name)
    {
        return Glib::RefPtr<Gtk::ToggleAction>::cast_dynamic(action(name))->get_active();
    }
    // Whether the manager has handled the window's last change of position.
    bool in_step() const { return m_window.m_state.takes_manager_moves(); }
    bool awaits_load_answer() const { return m_window.m_state.m_expecting_load_diagram; }
    bool tournament_running() const { return m_window.m_state.tournament_running(); }
    bool clocks_stopped() const { return m_window.m_clocks_stopped; }
    // Lines put in by the manager and not yet applied.
    std::size_t waiting() { return m_window.m_inbox.waiting(); }
    bool manager_running() const { return m_window.m_manager_thread.joinable(); }
    // The texts of the clock row: "White: ", White's time, "Black: ", Black's time.
    std::vector<std::string> clock_texts();

private:
    Interface& m_window;
};

namespace window_test {

// Each test gets a main window of its own, with its real manager thread, in
// a fresh working directory (removed afterwards) that sees the images, and
// looks for them nowhere else.
class WindowTest : public ::testing::Test {
public:
    // Saves what the widget shows as <build>/tests/app/screenshots/<name>.png.
    static void save_screenshot(Gtk::Widget& widget, const std::string& name);

protected:
    void SetUp() override;
    void TearDown() override;
    // Whether the working directory holds the program's images; a window
    // without them draws its board and choosers without pictures.
    virtual bool sees_images() const { return true; }

    // Runs the main loop until the condition holds; false after the time
    // limit (given for a plain build, scaled here, as in quit_within).
    bool run_until(const std::function<bool()>& condition, int milliseconds = 10000);
    // Leaves lines in the window's inbox, as the manager does once it has
    // handled the window's last change of position, and runs the main loop
    // until the window has applied them all.
    void apply(const std::vector<std::string>& lines);
    // Sends a command to the manager as the window's handlers do.
    void send(const std::string& command) { window->send_to_manager(command); }
    void activate(const std::string& action) { probe->action(action)->activate(); }
    // Sends an engine load that succeeds and runs the main loop until the
    // window has answered it and the manager has caught up, so that the
    // answer cannot overtake the test's next commands.
    void load_engine(const std::string& command);
    // File > Quit; true when the window hid itself and was destroyed (its
    // manager thread joined) within the time limit.
    bool quit_within(int milliseconds);
    // A drag on the board with the real pointer, from one square (0..63, as
    // the board stands unturned) to another; a click is a drag to the same square.
    void drag(int from, int to);
    void click(int square) { drag(square, square); }
    // Answers a modal dialog from test code as widget_test::answer_dialog
    // does, but an answer still waiting when the test ends is dropped, so it
    // never meets a later test's dialog.
    void answer_dialog(const Glib::ustring& title, std::function<void(Gtk::Dialog&)> answer);
    // Answers the next "Message:" box with OK, keeping its two texts.
    void answer_message(std::string& primary, std::string* secondary = nullptr);
    // Answers the file chooser with a path.
    void answer_file_chooser(const std::string& path);
    // Answers the "Choose Position" or "Choose Game" list with a row (from
    // 1), or cancels it with row 0.
    void answer_list(const std::string& title, int row);
    // The whole text of a file in the working directory, "" when missing.
    std::string read_file(const std::string& name) const;
    // The window's log (written while Debug is ticked).
    std::string log() const { return read_file("interface.log"); }
    // How often the window sent the command (or a command starting so) to the manager.
    std::size_t sent(const std::string& command) const;

    std::string directory;
    std::string previous_directory;
    std::unique_ptr<Interface> window;
    std::unique_ptr<InterfaceProbe> probe;

private:
    widget_test::ImagesOnlyFromWorkingDirectory m_images_search;
    std::vector<sigc::connection> m_answers;
};

// A window with Debug ticked: its log holds every line it sends and receives.
class LoggedWindowTest : public WindowTest {
protected:
    void SetUp() override
    {
        WindowTest::SetUp();
        activate("Debug");
    }
};

// A window fixture in a German session: its decimal sign is a comma. GTK has
// set the locale from the environment by then, so this one is set after it,
// before the window is made, as GTK would set it from LC_ALL=de_DE.UTF-8.
template <typename Fixture>
class GermanSession : public Fixture {
protected:
    void SetUp() override
    {
        widget_test::start_gtk();
        m_locale.emplace("de_DE.UTF-8");
        ASSERT_TRUE(m_locale->active()) << "de_DE.UTF-8 is missing: scripts/setup generates it";
        Fixture::SetUp();
    }
    void TearDown() override
    {
        Fixture::TearDown();
        m_locale.reset();
    }

private:
    std::optional<torvane_test::ScopedLocale> m_locale;
};

// How often part occurs in text (overlapping occurrences included).
std::size_t count(const std::string& text, const std::string& part);
inline bool contains(const std::string& text, const std::string& part)
{
    return text.find(part) != std::string::npos;
}

// The path of the fake engine in one of its modes ("" for the plain one).
std::string fake_engine(const std::string& mode);

// While it lives, the fake engines started take the mode (TORVANE_FAKE_MODE).
class FakeEngineMode {
public:
    explicit FakeEngineMode(const char* mode) { setenv("TORVANE_FAKE_MODE", mode, 1); }
    ~FakeEngineMode() { unsetenv("TORVANE_FAKE_MODE"); }
    FakeEngineMode(const FakeEngineMode&) = delete;
    FakeEngineMode& operator=(const FakeEngineMode&) = delete;
};

}
