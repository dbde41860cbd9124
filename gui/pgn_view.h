#pragma once

#include <gtkmm/scrolledwindow.h>
#include <gtkmm/textbuffer.h>
#include <gtkmm/textview.h>
#include <gtkmm/window.h>

#include <cstddef>
#include <string>

class ChessGame;

// The "PGN" window: the game record's PGN text, read-only, with the current
// move in bold blue. A mouse press on the text reports the byte offset of the
// token under the pointer, which the game record's goto_text_offset takes.
// All offsets here are byte offsets into the text given to set_text, as the
// game record counts them; the view converts them to its own characters.
// Starts hidden; closing it only hides it, and it keeps its text.
class PgnView : public Gtk::Window {
public:
    PgnView();
    ~PgnView() override;

    // Emitted on every mouse-button press on the text with the byte offset of
    // the last byte of the token under the pointer (of the byte before it
    // when the pointer is on no token; -1 when the text is empty). Tokens end
    // at a blank, a line feed, "(", ")" or "{", so a press on a move gives an
    // offset inside that move's text.
    sigc::signal<void, int> signal_move_selected;

    // Replaces the whole text; the highlight goes with the old text. The text
    // must be the one whose offsets the caller will use: the game record's
    // last pgn(). Bytes that are not UTF-8 are shown as "?", offsets unchanged.
    void set_text(const std::string& text);
    // Marks the current move: the text from byte offset from up to byte
    // offset to (excluded), cut at the end of the text, and scrolls it into
    // view. from == 0 or from > to changes nothing; from == to removes the
    // mark.
    void highlight(std::size_t from, std::size_t to);
    // Shows the game: set_text with its pgn(), then highlight of its current
    // move's range. This keeps the view's text and the record's offsets alike.
    void show_game(ChessGame& game);
    // The text last given to set_text, as given (before any "?" for bytes
    // that are not UTF-8): what the offsets of a press refer to.
    const std::string& source_text() const { return m_source; }

private:
    bool on_button_press(GdkEventButton* event);

    Gtk::ScrolledWindow m_scroll;
    Gtk::TextView m_view;
    Glib::RefPtr<Gtk::TextBuffer> m_buffer;
    Glib::ustring m_tag_name;
    Glib::RefPtr<Gtk::TextTag> m_tag;
    Glib::RefPtr<Gtk::TextMark> m_highlight_start;
    std::string m_source;
    std::string m_text;
};
