#pragma once

#include <gtkmm/frame.h>
#include <gtkmm/paned.h>
#include <gtkmm/scrolledwindow.h>
#include <gtkmm/textbuffer.h>
#include <gtkmm/textview.h>
#include <gtkmm/window.h>

#include <string>

// The engine-output window "Engines: output": a "Black" pane above a "White"
// pane, each a read-only text that keeps its last pane_line_limit lines.
// Starts hidden; closing it only hides it, and a hidden window keeps taking
// text.
class AnalysisWindow : public Gtk::Window {
public:
    AnalysisWindow();
    ~AnalysisWindow() override;

    // Appends a message to the pane: the message and an empty line after it,
    // where the empty line after the previous message is dropped once the
    // pane holds more than four characters (see pane_append.h). The oldest
    // lines beyond the pane's limit are deleted. Scrolls the pane to its end.
    void append_black(const std::string& text);
    void append_white(const std::string& text);
    // Replaces the whole text of the pane (its last lines up to the limit)
    // and scrolls it to its end.
    void set_black(const std::string& text);
    void set_white(const std::string& text);
    // Empties both panes.
    void clear();

private:
    struct Pane {
        Gtk::Frame frame;
        Gtk::ScrolledWindow scroll;
        Gtk::TextView view;
        Glib::RefPtr<Gtk::TextBuffer> buffer;
        Glib::RefPtr<Gtk::TextMark> end;
        sigc::connection follow;
    };

    static void build(Pane& pane, const Glib::ustring& label);
    static void follow_end(Pane& pane);
    static void append(Pane& pane, const std::string& text);
    static void set(Pane& pane, const std::string& text);
    static void keep_last_lines(Pane& pane);

    Gtk::Paned m_paned;
    Pane m_black;
    Pane m_white;
};
