#include "tools/manager-console/console_inbox.h"

ConsoleInbox::ConsoleInbox(std::ostream& out) : m_out(out), m_quit_seen(false) {}

void ConsoleInbox::put_command(const std::string& line)
{
    m_out << line << '\n';
    m_out.flush();
    if (line == "quit") {
        m_quit_seen = true;
    }
}

bool ConsoleInbox::quit_seen() const { return m_quit_seen; }
