#include "gui/selection_guard.h"

SelectionGuard::SelectionGuard()
{
    m_timer.start();
}

bool SelectionGuard::admits(std::int64_t calls_before, std::int64_t elapsed_ms)
{
    return calls_before > 0 && elapsed_ms > 100;
}

bool SelectionGuard::admit()
{
    if (!admits(m_calls++, static_cast<std::int64_t>(m_timer.elapsed().milliseconds()))) {
        return false;
    }
    m_timer.reset();
    m_timer.start();
    return true;
}
