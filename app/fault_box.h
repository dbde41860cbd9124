#pragma once

#include <gtkmm/messagedialog.h>
#include <gtkmm/window.h>

#include <memory>
#include <string>

// The one box that tells the user of the manager's lines that the window
// could not apply. It does not block: the lines behind a faulty one go on
// being applied (a "quit" among them included), and a fault that comes
// while the box is open is counted in it instead of opening a box of its own.
class FaultBox {
public:
    // The box is transient for parent, which must outlive it.
    explicit FaultBox(Gtk::Window& parent);
    ~FaultBox();
    FaultBox(const FaultBox&) = delete;
    FaultBox& operator=(const FaultBox&) = delete;

    // Shows the fault (title and text in plain words) in the box, or counts
    // it when the box is open already.
    void report(const std::string& title, const std::string& text);
    // Closes the box, if it is open.
    void close();

private:
    void show_text();

    Gtk::Window& m_parent;
    std::unique_ptr<Gtk::MessageDialog> m_box;
    std::string m_text;
    int m_more = 0;
};
