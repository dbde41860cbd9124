#include "app/message_inbox.h"

#include <optional>

namespace {

// 0 for White's analysis lines, 1 for Black's.
std::optional<int> analysis_colour(const std::string& line)
{
    if (line.rfind("white_info ", 0) == 0)
        return 0;
    if (line.rfind("black_info ", 0) == 0)
        return 1;
    return std::nullopt;
}

}

MessageInbox::MessageInbox() : m_info_limit(waiting_info_limit, analysis_colour) {}

void MessageInbox::put(const std::string& line)
{
    std::lock_guard lock(m_mutex);
    m_info_limit.admit(m_lines, line);
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
    m_info_limit.recount(m_lines);
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
