#pragma once

#include <gtkmm/scrolledwindow.h>
#include <gtkmm/textbuffer.h>
#include <gtkmm/textview.h>
#include <gtkmm/window.h>

#include <string>

// The "EPD" window: the line of the last position loaded from a FEN or EPD
// file, read-only, laid out one field group per line. Starts hidden; closing
// it only hides it, and it keeps its text.
class EpdCommandsWindow : public Gtk::Window {
public:
    EpdCommandsWindow();
    ~EpdCommandsWindow() override;

    // Replaces the text by the line laid out by epd_display_text (the four
    // position fields, then each operation or the move counters on lines of
    // their own) and scrolls to its end.
    void show_epd(std::string line);
    // Empties the text.
    void clear();

private:
    Gtk::ScrolledWindow m_scroll;
    Gtk::TextView m_view;
    Glib::RefPtr<Gtk::TextBuffer> m_buffer;
    Glib::RefPtr<Gtk::TextMark> m_end;
};
