#include "gui/fen_entry.h"

FenEntry::FenEntry() : Gtk::Box(Gtk::ORIENTATION_HORIZONTAL, 0), m_label("FEN "), m_button("OK")
{
    // At least 50 characters, and whatever room the row has beyond that: a
    // FEN is often longer, and a cut one is hard to check by eye.
    m_entry.set_width_chars(50);
    pack_start(m_label, Gtk::PACK_SHRINK, 0);
    pack_start(m_entry, Gtk::PACK_EXPAND_WIDGET, 0);
    pack_start(m_button, Gtk::PACK_SHRINK, 0);
    m_button.signal_clicked().connect(sigc::mem_fun(*this, &FenEntry::on_ok));
}

FenEntry::~FenEntry() = default;

void FenEntry::set_text(const Glib::ustring& text)
{
    m_entry.set_text(text);
}

Glib::ustring FenEntry::get_text() const
{
    return m_entry.get_text();
}

void FenEntry::on_ok()
{
    signal_ok.emit();
}
