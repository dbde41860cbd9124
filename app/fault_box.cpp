#include "app/fault_box.h"

#include "gui/displayable_text.h"

FaultBox::FaultBox(Gtk::Window& parent) : m_parent(parent) {}

FaultBox::~FaultBox() = default;

void FaultBox::report(const std::string& title, const std::string& text)
{
    if (m_box && m_box->get_visible()) {
        ++m_more;
        show_text();
        return;
    }
    m_box = std::make_unique<Gtk::MessageDialog>(m_parent, displayable_text(title), false, Gtk::MESSAGE_WARNING,
                                                 Gtk::BUTTONS_OK, false);
    m_box->set_title("Message:");
    m_box->signal_response().connect([this](int) { close(); });
    m_text = text;
    m_more = 0;
    show_text();
    m_box->show();
}

void FaultBox::close()
{
    if (m_box)
        m_box->hide();
}

void FaultBox::show_text()
{
    std::string shown = m_text;
    if (m_more == 1)
        shown += "\n\nOne more message could not be applied since; the error output lists it.";
    else if (m_more > 1)
        shown += "\n\n" + std::to_string(m_more) +
                 " more messages could not be applied since; the error output lists them.";
    m_box->set_secondary_text(displayable_text(shown), false);
}
