#pragma once

#include "engines/engine_variables.h"

#include <glibmm/main.h>
#include <gtkmm/container.h>
#include <gtkmm/grid.h>
#include <gtkmm/label.h>
#include <gtkmm/treeview.h>
#include <gtkmm/window.h>

#include <deque>
#include <functional>
#include <stdexcept>
#include <string>
#include <vector>

// Helpers for tests of dialogs that run modally: answering them from test
// code, finding their widgets, and the settings records of real engines.
namespace dialog_test {

// Every widget inside root (root included, internal children such as a
// dialog's buttons too), in depth-first order.
std::vector<Gtk::Widget*> all_widgets(Gtk::Widget& root);

// The widgets of type W inside root, in depth-first order.
template <typename W>
std::vector<W*> widgets_of(Gtk::Widget& root)
{
    std::vector<W*> found;
    for (Gtk::Widget* widget : all_widgets(root)) {
        if (W* typed = dynamic_cast<W*>(widget)) {
            found.push_back(typed);
        }
    }
    return found;
}

// The widget of type W inside root that carries the label.
template <typename W>
W& labelled(Gtk::Widget& root, const std::string& label)
{
    for (W* widget : widgets_of<W>(root)) {
        if (widget->get_label() == label) {
            return *widget;
        }
    }
    throw std::runtime_error("labelled: no widget labelled " + label);
}

// The widget, of type W, in the cell right of the label with this text in
// the first grid inside root.
template <typename W>
W& beside(Gtk::Widget& root, const std::string& label)
{
    Gtk::Grid& grid = *widgets_of<Gtk::Grid>(root).at(0);
    for (Gtk::Label* shown : widgets_of<Gtk::Label>(grid)) {
        if (shown->get_text() == label) {
            const int column = grid.child_property_left_attach(*shown);
            const int row = grid.child_property_top_attach(*shown);
            return dynamic_cast<W&>(*grid.get_child_at(column + 1, row));
        }
    }
    throw std::runtime_error("beside: no label " + label);
}

// The newest toplevel window of type W that is on screen, or null.
template <typename W>
W* shown_window()
{
    W* newest = nullptr;
    for (Gtk::Window* window : Gtk::Window::list_toplevels()) {
        if (W* typed = dynamic_cast<W*>(window); typed != nullptr && typed->get_mapped()) {
            newest = typed;
        }
    }
    return newest;
}

// Answers dialogs that the code under test runs modally: each step waits
// until a window of its type is on screen, then acts on it (fills entries,
// presses buttons, answers with Gtk::Dialog::response). The steps run in
// order from the main loop that the dialog's own run() turns.
class DialogScript {
public:
    DialogScript();
    ~DialogScript();
    DialogScript(const DialogScript&) = delete;
    DialogScript& operator=(const DialogScript&) = delete;

    template <typename W>
    DialogScript& then(std::function<void(W&)> act)
    {
        m_steps.push_back([act]() {
            W* window = shown_window<W>();
            if (window == nullptr) {
                return false;
            }
            act(*window);
            return true;
        });
        return *this;
    }

    // Steps that have not run yet.
    std::size_t steps_left() const { return m_steps.size(); }

private:
    bool on_tick();

    std::deque<std::function<bool()>> m_steps;
    sigc::connection m_tick;
    bool m_acting = false;
};

// A real click of the left button at (x, y) in the widget's own coordinates:
// the pointer moves there and the X server presses and releases the button
// (XTest), so the widget gets what a user's click gives it. Waits until the
// events have been handled.
void click(Gtk::Widget& widget, int x, int y);

// Clicks the middle of a row of a tree view (0 the first row).
void click_row(Gtk::TreeView& view, int row);

// The texts of a list's rows, the columns of a row (numbers or texts) joined by "|".
std::vector<std::string> table_rows(Gtk::TreeView& view);
// The titles of a list's columns.
std::vector<std::string> column_titles(Gtk::TreeView& view);

// The settings record of a real engine as the program gets it: the engine
// loaded with the protocol code given (0 autodetect, 1 UCI, 3 xboard v2),
// its handshake read, unloaded again. Each engine is loaded once per test
// program.
EngineVariables engine_record(const std::string& program, int protocol);

// The engine's options in name order, as the options dialog receives them.
std::vector<Option> option_list(const EngineVariables& record);

}
