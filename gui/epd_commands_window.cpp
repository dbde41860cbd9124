#include "gui/epd_commands_window.h"

#include "gui/displayable_text.h"
#include "gui/epd_text.h"

#include <utility>

EpdCommandsWindow::EpdCommandsWindow() : m_buffer(Gtk::TextBuffer::create())
{
    set_title("EPD");
    set_border_width(5);
    set_default_size(600, 200);
    m_end = m_buffer->create_mark(m_buffer->end(), false);
    m_view.set_buffer(m_buffer);
    m_view.set_editable(false);
    m_view.set_cursor_visible(false);
    m_scroll.set_policy(Gtk::POLICY_AUTOMATIC, Gtk::POLICY_AUTOMATIC);
    m_scroll.add(m_view);
    add(m_scroll);
    show_all_children();
}

EpdCommandsWindow::~EpdCommandsWindow() = default;

void EpdCommandsWindow::show_epd(std::string line)
{
    m_buffer->set_text(displayable_text(epd_display_text(std::move(line))));
    m_view.scroll_to(m_end, 0.0);
}

void EpdCommandsWindow::clear()
{
    m_buffer->set_text("");
}
