#pragma once

#include <gtkmm/scrolledwindow.h>
#include <gtkmm/textbuffer.h>
#include <gtkmm/textview.h>
#include <gtkmm/window.h>

#include <string>

// The "Comment" window: an editable text, wrapped at any character, that
// holds the comment of the game's current move while the user edits it.
// Starts hidden; closing it only hides it, and it keeps its text.
class CommentEditor : public Gtk::Window {
public:
    CommentEditor();
    ~CommentEditor() override;

    // Replaces the whole text (UTF-8; invalid bytes are shown as "?").
    void set_comment(const std::string& text);
    // The whole text, hidden characters included: exactly the bytes last set
    // while the user has not changed the text shown, else what it now shows
    // (UTF-8).
    std::string get_comment() const;

private:
    std::string m_comment;
    std::string m_shown;
    Gtk::ScrolledWindow m_scroll;
    Gtk::TextView m_view;
    Glib::RefPtr<Gtk::TextBuffer> m_buffer;
};
