#include "gui/comment_editor.h"

#include "gui/displayable_text.h"

CommentEditor::CommentEditor() : m_buffer(m_view.get_buffer())
{
    set_title("Comment");
    set_border_width(5);
    set_default_size(300, 150);
    m_view.set_editable(true);
    m_view.set_cursor_visible(true);
    m_view.set_wrap_mode(Gtk::WRAP_CHAR);
    m_scroll.set_policy(Gtk::POLICY_NEVER, Gtk::POLICY_AUTOMATIC);
    m_scroll.add(m_view);
    add(m_scroll);
    show_all_children();
}

CommentEditor::~CommentEditor() = default;

void CommentEditor::set_comment(const std::string& text)
{
    m_comment = text;
    m_shown = displayable_text(text);
    m_buffer->set_text(m_shown);
}

std::string CommentEditor::get_comment() const
{
    // A comment that is not UTF-8 is shown with "?" for its bad bytes; read
    // back untouched, it must not lose them.
    const std::string shown = m_buffer->get_text(true);
    return shown == m_shown ? m_comment : shown;
}
