#include "gui/pgn_view.h"

#include "game/chess_game.h"
#include "gui/displayable_text.h"
#include "gui/pgn_text_offsets.h"
#include "gui/pointer_position.h"

PgnView::PgnView() : m_buffer(Gtk::TextBuffer::create()), m_tag_name("blue_move")
{
    set_title("PGN");
    set_border_width(5);
    set_default_size(600, 400);
    m_tag = m_buffer->create_tag(m_tag_name);
    m_tag->property_foreground() = "blue";
    m_tag->property_weight() = Pango::WEIGHT_BOLD;
    m_highlight_start = m_buffer->create_mark(m_buffer->begin());
    m_view.set_buffer(m_buffer);
    m_view.set_editable(false);
    m_view.set_cursor_visible(false);
    m_view.set_hscroll_policy(Gtk::SCROLL_NATURAL);
    m_scroll.set_policy(Gtk::POLICY_AUTOMATIC, Gtk::POLICY_AUTOMATIC);
    m_scroll.add(m_view);
    add(m_scroll);
    // Ahead of the view's own handler, which claims the presses it uses for
    // selecting text; returning false leaves them to it.
    m_view.signal_button_press_event().connect(sigc::mem_fun(*this, &PgnView::on_button_press), false);
    show_all_children();
}

PgnView::~PgnView() = default;

void PgnView::set_text(const std::string& text)
{
    m_source = text;
    m_text = displayable_text(text);
    m_buffer->set_text(m_text);
}

void PgnView::highlight(std::size_t from, std::size_t to)
{
    if (from == 0 || from > to)
        return;
    const auto first = static_cast<int>(character_offset(m_text, from));
    const auto last = static_cast<int>(character_offset(m_text, to));
    m_buffer->remove_tag(m_tag, m_buffer->begin(), m_buffer->end());
    const Gtk::TextIter start = m_buffer->get_iter_at_offset(first);
    m_buffer->apply_tag(m_tag, start, m_buffer->get_iter_at_offset(last));
    if (first < last) {
        m_buffer->move_mark(m_highlight_start, start);
        m_view.scroll_to(m_highlight_start, 0.0);
    }
}

void PgnView::show_game(ChessGame& game)
{
    set_text(game.pgn());
    const auto [from, to] = game.current_move_range();
    highlight(static_cast<std::size_t>(from), static_cast<std::size_t>(to));
}

bool PgnView::on_button_press(GdkEventButton*)
{
    const PointerPosition pointer = pointer_position(m_view);
    int buffer_x = 0;
    int buffer_y = 0;
    m_view.window_to_buffer_coords(Gtk::TEXT_WINDOW_WIDGET, pointer.x, pointer.y, buffer_x, buffer_y);
    // The character under the pointer, even over its right half (where the
    // nearest character boundary would lie after it).
    Gtk::TextIter at;
    int trailing = 0;
    m_view.get_iter_at_position(at, trailing, buffer_x, buffer_y);
    signal_move_selected.emit(clicked_offset(m_text, byte_offset(m_text, static_cast<std::size_t>(at.get_offset()))));
    return false;
}
