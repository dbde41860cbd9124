#pragma once

#include <gtkmm/box.h>
#include <gtkmm/button.h>
#include <gtkmm/entry.h>
#include <gtkmm/label.h>

// The FEN row above the board: "FEN ", an entry holding the position's FEN
// and an "OK" button that asks the owner to set up the entry's position.
// Its children are not shown by the constructor; the owner shows the row.
class FenEntry : public Gtk::Box {
public:
    FenEntry();
    ~FenEntry() override;

    // Emitted when the user presses "OK" (Enter in the entry emits nothing).
    sigc::signal<void> signal_ok;

    // Replaces the entry's text.
    void set_text(const Glib::ustring& text);
    // The entry's text as it stands.
    Glib::ustring get_text() const;

private:
    void on_ok();

    Gtk::Label m_label;
    Gtk::Entry m_entry;
    Gtk::Button m_button;
};
