#include "engines/first_answer_wait.h"

#include <algorithm>

FirstAnswerWait::FirstAnswerWait(Clock::time_point engine_started) : m_started(engine_started) {}

void FirstAnswerWait::heard(Clock::time_point when)
{
    m_heard_any = true;
    m_last_heard = std::max(m_last_heard, when);
}

FirstAnswerWait::Clock::time_point FirstAnswerWait::deadline() const
{
    const Clock::time_point usual = m_started + first_answer_wait;
    if (!m_heard_any) {
        return usual;
    }
    return std::min(std::max(usual, m_last_heard) + talking_grace, m_started + first_answer_limit);
}
