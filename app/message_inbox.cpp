#include "app/message_inbox.h"

void MessageInbox::put(const std::string& line)
{
    std::lock_guard lock(m_mutex);
    m_lines.push_back(line);
}

bool MessageInbox::begin_drain()
{
    if (m_draining)
        return false;
    m_draining = true;
    std::lock_guard lock(m_mutex);
    for (std::string& line : m_lines)
        m_taken.push_back(std::move(line));
    m_lines.clear();
    return true;
}

bool MessageInbox::next(std::string& line)
{
    if (m_taken.empty())
        return false;
    line = std::move(m_taken.front());
    m_taken.pop_front();
    return true;
}

void MessageInbox::end_drain()
{
    m_draining = false;
}

std::size_t MessageInbox::waiting()
{
    std::lock_guard lock(m_mutex);
    return m_taken.size() + m_lines.size();
}
