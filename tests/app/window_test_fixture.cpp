#include "window_test_fixture.h"

#include "tests/gui/widget_test_support.h"
#include "tests/support/peer_programs.h"
#include "tests/support/test_time.h"

#include "gui/board.h"
#include "gui/drawing.h"

#include <gtkmm/filechooserdialog.h>
#include <gtkmm/main.h>
#include <gtkmm/messagedialog.h>
#include <gtkmm/treeview.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <glibmm/main.h>
#include <sstream>

std::vector<std::string> InterfaceProbe::clock_texts()
{
    std::vector<std::string> texts;
    for (Gtk::Label* label : widget_test::find_all<Gtk::Label>(m_window.m_clocks))
        texts.push_back(label->get_text());
    return texts;
}

int InterfaceProbe::plies()
{
    ChessGame copy = m_window.m_game;
    copy.goto_start();
    int count = 0;
    while (!copy.forward().empty())
        ++count;
    return count;
}

namespace window_test {

void WindowTest::SetUp()
{
    widget_test::start_gtk();
    previous_directory = std::filesystem::current_path().string();
    directory = torvane_test::make_temp_dir("torvane-window");
    std::filesystem::current_path(directory);
    if (sees_images())
        std::filesystem::create_directory_symlink(std::string(TORVANE_SOURCE_DIR) + "/torvane.files", "torvane.files");
    window = std::make_unique<Interface>("torvane", 480);
    probe = std::make_unique<InterfaceProbe>(*window);
    // As main does: the window shows what it showed itself, the FEN row stays hidden.
    window->show();
    ASSERT_TRUE(run_until([this] { return window->get_mapped(); }));
    widget_test::run_for(300);
}

void WindowTest::TearDown()
{
    for (sigc::connection& answer : m_answers)
        answer.disconnect();
    if (window) {
        EXPECT_TRUE(quit_within(15000));
    }
    probe.reset();
    std::filesystem::current_path(previous_directory);
    std::filesystem::remove_all(directory);
}

bool WindowTest::run_until(const std::function<bool()>& condition, int milliseconds)
{
    return widget_test::run_until(condition, milliseconds);
}

void WindowTest::apply(const std::vector<std::string>& lines)
{
    ASSERT_TRUE(run_until([this] { return probe->in_step(); }));
    for (const std::string& line : lines)
        window->put_command(line);
    ASSERT_TRUE(run_until([this] { return probe->waiting() == 0; }));
}

bool WindowTest::quit_within(int milliseconds)
{
    activate("Quit");
    const bool hidden = run_until([this] { return !window->is_visible(); }, milliseconds);
    probe.reset();
    if (!hidden)
        return false;
    const auto start = std::chrono::steady_clock::now();
    window.reset();
    return std::chrono::steady_clock::now() - start < torvane_test::scaled(std::chrono::milliseconds(milliseconds));
}

void WindowTest::drag(int from, int to)
{
    auto& board = *dynamic_cast<Board*>(probe->board().get_child());
    auto& drawing = *dynamic_cast<Drawing*>(board.get_child());
    const int size = drawing.get_allocated_width() / 8;
    const auto centre = [size](int square) {
        return std::make_pair((square & 7) * size + size / 2, (7 - (square >> 3)) * size + size / 2);
    };
    const auto [x_from, y_from] = centre(from);
    const auto [x_to, y_to] = centre(to);
    widget_test::move_pointer(drawing, x_from, y_from);
    widget_test::send_press(board);
    for (int step = 1; step <= 4; ++step) {
        widget_test::move_pointer(drawing, x_from + (x_to - x_from) * step / 4, y_from + (y_to - y_from) * step / 4);
        widget_test::send_motion(board);
    }
    widget_test::send_release(board);
    widget_test::run_for(100);
}

void WindowTest::answer_dialog(const Glib::ustring& title, std::function<void(Gtk::Dialog&)> answer)
{
    m_answers.push_back(Glib::signal_timeout().connect(
        [title, answer]() {
            for (Gtk::Window* window : Gtk::Window::list_toplevels()) {
                auto* dialog = dynamic_cast<Gtk::Dialog*>(window);
                if (dialog && dialog->get_title() == title && dialog->get_mapped()) {
                    widget_test::run_for(300);
                    answer(*dialog);
                    return false;
                }
            }
            return true;
        },
        20));
}

void WindowTest::answer_message(std::string& primary, std::string* secondary)
{
    answer_dialog("Message:", [&primary, secondary](Gtk::Dialog& dialog) {
        auto& box = dynamic_cast<Gtk::MessageDialog&>(dialog);
        primary = box.property_text().get_value();
        if (secondary)
            *secondary = box.property_secondary_text().get_value();
        dialog.response(Gtk::RESPONSE_OK);
    });
}

void WindowTest::answer_file_chooser(const std::string& path)
{
    answer_dialog("Choose File", [path](Gtk::Dialog& dialog) {
        if (path.empty()) {
            dialog.response(Gtk::RESPONSE_CANCEL);
            return;
        }
        auto& chooser = dynamic_cast<Gtk::FileChooserDialog&>(dialog);
        if (chooser.get_action() == Gtk::FILE_CHOOSER_ACTION_SAVE) {
            chooser.set_current_folder(std::filesystem::path(path).parent_path().string());
            chooser.set_current_name(std::filesystem::path(path).filename().string());
        } else {
            chooser.set_filename(path);
        }
        // The chooser reads the folder before it selects the file; answered
        // earlier, it holds no file, ignores the OK and stays open.
        EXPECT_TRUE(widget_test::run_until([&chooser, &path] { return chooser.get_filename() == path; }))
            << "the file chooser did not take " << path << " but has \"" << chooser.get_filename() << "\"";
        dialog.response(Gtk::RESPONSE_OK);
    });
}

void WindowTest::answer_list(const std::string& title, int row)
{
    answer_dialog(title, [row](Gtk::Dialog& dialog) {
        if (row == 0) {
            dialog.response(Gtk::RESPONSE_CANCEL);
            return;
        }
        Gtk::TreeView& table = *widget_test::find_all<Gtk::TreeView>(dialog).at(0);
        table.get_selection()->select(Gtk::TreePath(std::to_string(row - 1)));
        dialog.response(Gtk::RESPONSE_OK);
    });
}

void WindowTest::save_screenshot(Gtk::Widget& widget, const std::string& name)
{
    const std::string folder = std::string(TORVANE_BINARY_DIR) + "/tests/app/screenshots";
    std::filesystem::create_directories(folder);
    widget_test::screenshot(widget)->save(folder + "/" + name + ".png", "png");
}

std::string WindowTest::read_file(const std::string& name) const
{
    std::ifstream in(name);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

void WindowTest::load_engine(const std::string& command)
{
    send(command);
    ASSERT_TRUE(run_until([this] { return !probe->awaits_load_answer() && probe->in_step(); }, 30000)) << command;
}

std::size_t WindowTest::sent(const std::string& command) const
{
    return count(log(), "--> 0 " + command);
}

std::size_t count(const std::string& text, const std::string& part)
{
    std::size_t found = 0;
    for (std::size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1))
        ++found;
    return found;
}

std::string fake_engine(const std::string& mode)
{
    return std::string(FAKE_ENGINE_DIR) + (mode.empty() ? "/fake_engine" : "/fake_engine_" + mode);
}

}
