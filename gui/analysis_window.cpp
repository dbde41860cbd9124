#include "gui/analysis_window.h"

#include "gui/displayable_text.h"
#include "gui/pane_append.h"

#include <glibmm/main.h>

AnalysisWindow::AnalysisWindow() : m_paned(Gtk::ORIENTATION_VERTICAL)
{
    set_title("Engines: output");
    set_border_width(5);
    set_default_size(600, 300);
    build(m_black, "Black");
    build(m_white, "White");
    m_paned.pack1(m_black.frame, true, true);
    m_paned.pack2(m_white.frame, true, true);
    m_paned.set_position(150);
    add(m_paned);
    show_all_children();
    // A window shown again opens on the newest output.
    signal_map().connect([this] {
        follow_end(m_black);
        follow_end(m_white);
    });
}

AnalysisWindow::~AnalysisWindow()
{
    m_black.follow.disconnect();
    m_white.follow.disconnect();
}

void AnalysisWindow::build(Pane& pane, const Glib::ustring& label)
{
    pane.buffer = Gtk::TextBuffer::create();
    // The mark keeps to the end of the text as text is added, so the view
    // can be scrolled there once it has laid the new text out.
    pane.end = pane.buffer->create_mark(pane.buffer->end(), false);
    pane.view.set_buffer(pane.buffer);
    pane.view.set_editable(false);
    pane.view.set_cursor_visible(false);
    pane.view.set_wrap_mode(Gtk::WRAP_WORD);
    pane.scroll.set_policy(Gtk::POLICY_AUTOMATIC, Gtk::POLICY_AUTOMATIC);
    pane.scroll.add(pane.view);
    pane.frame.set_label(label);
    pane.frame.set_shadow_type(Gtk::SHADOW_ETCHED_IN);
    pane.frame.add(pane.scroll);
}

void AnalysisWindow::append_black(const std::string& text)
{
    append(m_black, text);
}

void AnalysisWindow::append_white(const std::string& text)
{
    append(m_white, text);
}

void AnalysisWindow::set_black(const std::string& text)
{
    set(m_black, text);
}

void AnalysisWindow::set_white(const std::string& text)
{
    set(m_white, text);
}

void AnalysisWindow::clear()
{
    m_black.buffer->set_text("");
    m_white.buffer->set_text("");
}

void AnalysisWindow::append(Pane& pane, const std::string& text)
{
    const PaneAppend edit = pane_append(static_cast<std::size_t>(pane.buffer->get_char_count()), text);
    if (edit.remove_at_end > 0) {
        Gtk::TextIter end = pane.buffer->end();
        Gtk::TextIter from = end;
        from.backward_chars(static_cast<int>(edit.remove_at_end));
        pane.buffer->erase(from, end);
    }
    pane.buffer->insert(pane.buffer->end(), displayable_text(edit.insert));
    keep_last_lines(pane);
    follow_end(pane);
}

void AnalysisWindow::set(Pane& pane, const std::string& text)
{
    pane.buffer->set_text(displayable_text(text));
    keep_last_lines(pane);
    follow_end(pane);
}

void AnalysisWindow::keep_last_lines(Pane& pane)
{
    const int lines = pane.buffer->get_line_count();
    int closing_empty_lines = 0;
    while (closing_empty_lines < lines && pane.buffer->get_iter_at_line(lines - 1 - closing_empty_lines).ends_line())
        ++closing_empty_lines;
    const std::size_t drop =
        pane_lines_to_drop(static_cast<std::size_t>(lines), static_cast<std::size_t>(closing_empty_lines));
    if (drop > 0)
        pane.buffer->erase(pane.buffer->begin(), pane.buffer->get_iter_at_line(static_cast<int>(drop)));
}

void AnalysisWindow::follow_end(Pane& pane)
{
    // The view lays new text out in idle steps and a scroll before they end
    // stops short of the end; an idle of lower priority runs after them,
    // once for a burst of messages.
    if (pane.follow.connected())
        return;
    pane.follow = Glib::signal_idle().connect(
        [&pane] {
            pane.view.scroll_to(pane.end, 0.0);
            return false;
        },
        Glib::PRIORITY_DEFAULT_IDLE);
}
