#pragma once

#include <gdkmm/pixbuf.h>
#include <gtkmm/container.h>
#include <gtkmm/dialog.h>
#include <gtkmm/widget.h>
#include <gtkmm/window.h>

#include <functional>
#include <string>
#include <vector>

// Helpers for tests that show widgets on an X display (Xvfb in CI).
namespace widget_test {

// Starts GTK for this test program, and the watch that closes a dialog no
// test code answers and fails the test (unanswered_dialogs.h); safe to call
// more than once.
void start_gtk();

// Runs the main loop for about the given time, handling whatever arrives;
// not scaled for the build, as tests time clocks with it (a wait for
// something to happen is run_until).
void run_for(int milliseconds);

// Runs the main loop until the condition holds; false after the time limit
// (given for a plain build, scaled here).
bool run_until(const std::function<bool()>& condition, int milliseconds = 10000);

// Shows a window with its children and waits until it has been drawn.
void show_and_wait(Gtk::Window& window);

// What the widget shows on screen, read back from the X server.
Glib::RefPtr<Gdk::Pixbuf> screenshot(Gtk::Widget& widget);

// Saves an image as screenshots/<name>.png under the directory the test
// program started in (also when a test has moved elsewhere since).
void save_png(const Glib::RefPtr<Gdk::Pixbuf>& image, const std::string& name);
// Saves a screenshot of the widget in the same way.
void save_shot(Gtk::Widget& widget, const std::string& name);

// Moves the real pointer to (x, y) in the coordinates of the widget's own window.
void move_pointer(Gtk::Widget& widget, int x, int y);

// Delivers a left-button press or release, or a motion with the button held,
// to the widget's window, as the X server would after the user's action.
void send_press(Gtk::Widget& widget);
void send_release(Gtk::Widget& widget);
void send_motion(Gtk::Widget& widget);

struct Colour {
    int red;
    int green;
    int blue;
};

// The colour of one pixel of an image.
Colour pixel(const Glib::RefPtr<Gdk::Pixbuf>& image, int x, int y);

// What a screenshot of a board's drawing shows on each display square
// (bottom-left first): 'w' a white piece (mostly near-white pixels), 'b' a
// black piece (mostly near-black), 'l' or 'd' an empty light or dark square
// (the wood's brightness).
std::string read_squares(const Glib::RefPtr<Gdk::Pixbuf>& shot);
// The same reading expected for a FEN placement, the board turned or not.
std::string expected_squares(const std::string& fen, bool flipped);

// Answers a modal dialog from test code: once a dialog with the title is
// shown (polled from the main loop that the dialog's run() spins), it gets a
// moment to be drawn and answer is called with it; answer then sets it up as
// the user would and ends it, for instance with response(). Returns at once.
void answer_dialog(const Glib::ustring& title, std::function<void(Gtk::Dialog&)> answer);

// The descendants of a widget (the widget itself first) that are of type T,
// in depth-first order.
template <class T>
std::vector<T*> find_all(Gtk::Widget& root)
{
    std::vector<T*> found;
    if (T* match = dynamic_cast<T*>(&root))
        found.push_back(match);
    if (auto* container = dynamic_cast<Gtk::Container*>(&root))
        for (Gtk::Widget* child : container->get_children()) {
            const std::vector<T*> below = find_all<T>(*child);
            found.insert(found.end(), below.begin(), below.end());
        }
    return found;
}

}
