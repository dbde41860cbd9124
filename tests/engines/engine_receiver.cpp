#include "tests/engines/engine_receiver.h"

namespace torvane_test {

EngineReceiver::EngineReceiver() = default;

CVTrio EngineReceiver::trio()
{
    CVTrio trio;
    trio.set_mutex(&m_mutex);
    trio.set_cv(&m_cv);
    trio.set_queue(&m_queue);
    return trio;
}

std::optional<std::string> EngineReceiver::next_line(std::chrono::milliseconds timeout)
{
    return next_line_by(std::chrono::steady_clock::now() + scaled(timeout));
}

std::optional<std::string> EngineReceiver::next_line_by(std::chrono::steady_clock::time_point deadline)
{
    std::unique_lock lock(m_mutex);
    if (!m_cv.wait_until(lock, deadline, [this] { return !m_queue.empty(); })) {
        return std::nullopt;
    }
    std::string line = std::move(m_queue.front());
    m_queue.pop_front();
    return line;
}

std::vector<std::string> EngineReceiver::lines_until(const std::string& prefix, std::chrono::milliseconds timeout)
{
    const auto deadline = std::chrono::steady_clock::now() + scaled(timeout);
    std::vector<std::string> lines;
    for (;;) {
        std::optional<std::string> line = next_line_by(deadline);
        if (!line) {
            return {};
        }
        lines.push_back(*line);
        if (line->compare(0, prefix.size(), prefix) == 0) {
            return lines;
        }
    }
}

std::size_t EngineReceiver::queued()
{
    std::lock_guard lock(m_mutex);
    return m_queue.size();
}

}
