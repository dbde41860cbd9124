#include "window_test_fixture.h"

#include "tests/gui/widget_test_support.h"
#include "tests/support/peer_programs.h"

#include <gtkmm/main.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <sstream>

std::vector<std::string> InterfaceProbe::clock_texts()
{
    std::vector<std::string> texts;
    for (Gtk::Label* label : widget_test::find_all<Gtk::Label>(m_window.m_clocks))
        texts.push_back(label->get_text());
    return texts;
}

namespace window_test {

void WindowTest::SetUp()
{
    widget_test::start_gtk();
    previous_directory = std::filesystem::current_path().string();
    directory = torvane_test::make_temp_dir("torvane-window");
    std::filesystem::current_path(directory);
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
    if (window) {
        EXPECT_TRUE(quit_within(15000));
    }
    probe.reset();
    std::filesystem::current_path(previous_directory);
    std::filesystem::remove_all(directory);
}

bool WindowTest::run_until(const std::function<bool()>& condition, int milliseconds)
{
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(milliseconds);
    while (!condition()) {
        if (std::chrono::steady_clock::now() >= deadline)
            return false;
        Gtk::Main::iteration(false);
        if (!Gtk::Main::events_pending())
            std::this_thread::sleep_for(std::chrono::milliseconds(2));
    }
    return true;
}

void WindowTest::apply(const std::vector<std::string>& lines)
{
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
    return std::chrono::steady_clock::now() - start < std::chrono::milliseconds(milliseconds);
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

std::string fake_engine(const std::string& mode)
{
    return std::string(FAKE_ENGINE_DIR) + (mode.empty() ? "/fake_engine" : "/fake_engine_" + mode);
}

}
