#pragma once

#include <gdkmm/pixbuf.h>
#include <gtkmm/drawingarea.h>

// The four pictures of the promotion chooser in a 2 x 2 grid.
class PromoChoiceDraw : public Gtk::DrawingArea {
public:
    // size: the main window's width, of which the grid asks for 1/4 square.
    PromoChoiceDraw(const Glib::RefPtr<Gdk::Pixbuf>& top_left, const Glib::RefPtr<Gdk::Pixbuf>& top_right,
                    const Glib::RefPtr<Gdk::Pixbuf>& bottom_left, const Glib::RefPtr<Gdk::Pixbuf>& bottom_right,
                    int size);
    ~PromoChoiceDraw() override;

protected:
    bool on_draw(const Cairo::RefPtr<Cairo::Context>& cr) override;

private:
    Glib::RefPtr<Gdk::Pixbuf> m_top_left;
    Glib::RefPtr<Gdk::Pixbuf> m_top_right;
    Glib::RefPtr<Gdk::Pixbuf> m_bottom_left;
    Glib::RefPtr<Gdk::Pixbuf> m_bottom_right;
    int m_size;
};
