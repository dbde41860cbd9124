#include "widget_test_support.h"
#include "unanswered_dialogs.h"

#include "gui/board_letters.h"
#include "tests/support/test_time.h"

#include <gdkmm/display.h>
#include <gdkmm/seat.h>
#include <gtk/gtk.h>
#include <glibmm/main.h>
#include <gtkmm/main.h>

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cctype>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <stdexcept>
#include <string>
#include <thread>

namespace widget_test {

namespace {

// Taken when the program starts, before any test moves to a directory of its own.
const std::filesystem::path screenshot_directory = std::filesystem::current_path() / "screenshots";

Glib::RefPtr<Gdk::Device> pointer_device()
{
    return Gdk::Display::get_default()->get_default_seat()->get_pointer();
}

void send_button(Gtk::Widget& widget, GdkEventType type)
{
    GdkEvent* event = gdk_event_new(type);
    event->button.window = GDK_WINDOW(g_object_ref(widget.get_window()->gobj()));
    event->button.send_event = TRUE;
    event->button.time = GDK_CURRENT_TIME;
    event->button.button = 1;
    gdk_event_set_device(event, pointer_device()->gobj());
    gtk_widget_event(widget.gobj(), event);
    gdk_event_free(event);
}

// The tests share the display's pointer and read the screen back, so two test
// programs on one display would spoil each other's work: each waits for the
// display to be free and keeps it until it exits. The lock file is the user's
// own: another user's test runs, which may have had a display of the same
// number before, neither share it nor can hand it over.
void take_display()
{
    const char* display = std::getenv("DISPLAY");
    const std::string path = std::filesystem::temp_directory_path().string() + "/torvane-widget-tests-"
                             + std::to_string(geteuid()) + (display ? display : "");
    const int descriptor = open(path.c_str(), O_CREAT | O_RDWR | O_CLOEXEC | O_NOFOLLOW, 0600);
    struct stat status {};
    if (descriptor < 0 || fstat(descriptor, &status) != 0 || status.st_uid != geteuid()
        || flock(descriptor, LOCK_EX) != 0)
        throw std::runtime_error("widget tests: cannot lock " + path);
}

// A virtual X server resets itself when its last client leaves and refuses
// connections for that moment, which is just when the next test program,
// started as this one's predecessor exits, tries to connect: try again for a
// while before deciding that there is no display.
bool open_display()
{
    if (std::getenv("DISPLAY") == nullptr)
        return false;
    const auto deadline = std::chrono::steady_clock::now() + torvane_test::scaled(std::chrono::seconds(30));
    while (!gtk_init_check(nullptr, nullptr)) {
        if (std::chrono::steady_clock::now() >= deadline)
            return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
    return true;
}

}

void start_gtk()
{
    static bool started = false;
    if (started)
        return;
    take_display();
    if (!open_display())
        throw std::runtime_error("widget tests: no X display (run them under xvfb-run)");
    Gtk::Main::init_gtkmm_internals();
    watch_unanswered_dialogs();
    started = true;
}

void run_for(int milliseconds)
{
    const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(milliseconds);
    auto context = Glib::MainContext::get_default();
    while (std::chrono::steady_clock::now() < end) {
        while (context->pending())
            context->iteration(false);
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
}

bool run_until(const std::function<bool()>& condition, int milliseconds)
{
    const auto deadline = std::chrono::steady_clock::now() + torvane_test::scaled(std::chrono::milliseconds(milliseconds));
    while (!condition()) {
        if (std::chrono::steady_clock::now() >= deadline)
            return false;
        Gtk::Main::iteration(false);
        if (!Gtk::Main::events_pending())
            std::this_thread::sleep_for(std::chrono::milliseconds(2));
    }
    return true;
}

void show_and_wait(Gtk::Window& window)
{
    // A loaded machine may take far longer than usual to map and paint the
    // window; wait for its first paint, then let the display settle.
    bool painted = false;
    sigc::connection watch = window.signal_draw().connect(
        [&painted](const Cairo::RefPtr<Cairo::Context>&) {
            painted = true;
            return false;
        },
        true);
    window.move(0, 0);
    window.show_all();
    const auto deadline = std::chrono::steady_clock::now() + torvane_test::scaled(std::chrono::seconds(30));
    auto context = Glib::MainContext::get_default();
    while (!painted && std::chrono::steady_clock::now() < deadline) {
        while (context->pending())
            context->iteration(false);
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    watch.disconnect();
    if (!painted)
        throw std::runtime_error("widget tests: the window was never painted");
    run_for(400);
}

Glib::RefPtr<Gdk::Pixbuf> screenshot(Gtk::Widget& widget)
{
    run_for(150);
    Gtk::Widget* top = widget.get_toplevel();
    int x = 0;
    int y = 0;
    widget.translate_coordinates(*top, 0, 0, x, y);
    return Gdk::Pixbuf::create(top->get_window(), x, y, widget.get_allocated_width(),
                               widget.get_allocated_height());
}

void save_png(const Glib::RefPtr<Gdk::Pixbuf>& image, const std::string& name)
{
    std::filesystem::create_directories(screenshot_directory);
    image->save((screenshot_directory / (name + ".png")).string(), "png");
}

void save_shot(Gtk::Widget& widget, const std::string& name)
{
    save_png(screenshot(widget), name);
}

void move_pointer(Gtk::Widget& widget, int x, int y)
{
    int origin_x = 0;
    int origin_y = 0;
    widget.get_window()->get_origin(origin_x, origin_y);
    pointer_device()->warp(widget.get_screen(), origin_x + x, origin_y + y);
    Gdk::Display::get_default()->sync();
}

void send_press(Gtk::Widget& widget)
{
    send_button(widget, GDK_BUTTON_PRESS);
}

void send_release(Gtk::Widget& widget)
{
    send_button(widget, GDK_BUTTON_RELEASE);
}

void send_motion(Gtk::Widget& widget)
{
    GdkEvent* event = gdk_event_new(GDK_MOTION_NOTIFY);
    event->motion.window = GDK_WINDOW(g_object_ref(widget.get_window()->gobj()));
    event->motion.send_event = TRUE;
    event->motion.time = GDK_CURRENT_TIME;
    event->motion.state = GDK_BUTTON1_MASK;
    gdk_event_set_device(event, pointer_device()->gobj());
    gtk_widget_event(widget.gobj(), event);
    gdk_event_free(event);
}

Colour pixel(const Glib::RefPtr<Gdk::Pixbuf>& image, int x, int y)
{
    const guint8* at = image->get_pixels() + y * image->get_rowstride() + x * image->get_n_channels();
    return Colour{at[0], at[1], at[2]};
}

std::string read_squares(const Glib::RefPtr<Gdk::Pixbuf>& shot)
{
    const int size = shot->get_width() / 8;
    std::string squares;
    for (int square = 0; square < 64; ++square) {
        const int left = (square & 7) * size;
        const int top = (7 - (square >> 3)) * size;
        int near_white = 0;
        int near_black = 0;
        for (int y = top; y < top + size; ++y)
            for (int x = left; x < left + size; ++x) {
                const Colour c = pixel(shot, x, y);
                near_white += c.red > 235 && c.green > 235 && c.blue > 225;
                near_black += c.red < 50 && c.green < 50 && c.blue < 50;
            }
        const int enough = size * size / 10;
        if (near_white > enough || near_black > enough) {
            squares += near_white > near_black ? 'w' : 'b';
        } else {
            const Colour corner = pixel(shot, left + 2, top + 2);
            squares += (corner.red + corner.green + corner.blue) / 3 > 150 ? 'l' : 'd';
        }
    }
    return squares;
}

std::string expected_squares(const std::string& fen, bool flipped)
{
    const BoardLetters letters = placement_letters(fen);
    std::string squares;
    for (int square = 0; square < 64; ++square) {
        const char letter = letters[flipped ? 63 - square : square];
        if (letter == empty_square_letter)
            squares += ((square & 7) + (square >> 3)) % 2 == 0 ? 'd' : 'l';
        else
            squares += std::isupper(static_cast<unsigned char>(letter)) ? 'w' : 'b';
    }
    return squares;
}

void answer_dialog(const Glib::ustring& title, std::function<void(Gtk::Dialog&)> answer)
{
    Glib::signal_timeout().connect(
        [title, answer]() {
            for (Gtk::Window* window : Gtk::Window::list_toplevels()) {
                auto* dialog = dynamic_cast<Gtk::Dialog*>(window);
                if (dialog && dialog->get_title() == title && dialog->get_mapped()) {
                    run_for(400);
                    answer(*dialog);
                    return false;
                }
            }
            return true;
        },
        20);
}

}
