#include "engines/search_watch.h"

void SearchWatch::begin(Clock::time_point now)
{
    m_reported = false;
    resume(now);
}

void SearchWatch::resume(Clock::time_point now)
{
    m_owed = true;
    m_start = now;
    m_last_heard = now;
    m_probe.reset();
}

void SearchWatch::end()
{
    m_owed = false;
    m_reported = false;
    m_probe.reset();
}

void SearchWatch::heard(Clock::time_point now, bool report)
{
    m_last_heard = now;
    m_probe.reset();
    m_reported = m_reported || report;
}

SearchWatch::Step SearchWatch::check(Clock::time_point now, std::chrono::milliseconds grace, bool can_probe)
{
    if (!m_owed) {
        return Step::wait;
    }
    // An engine that answers every probe but never tells of the search has
    // not begun it: a real search reports its first depth at once.
    if (!m_reported && now - m_start >= grace) {
        return Step::give_up;
    }
    if (!can_probe) {
        return Step::wait;
    }
    if (m_probe) {
        return now - *m_probe >= grace / 2 ? Step::give_up : Step::wait;
    }
    return now - m_last_heard >= grace / 2 ? Step::probe : Step::wait;
}

void SearchWatch::probed(Clock::time_point now) { m_probe = now; }
