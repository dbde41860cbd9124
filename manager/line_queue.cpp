#include "manager/line_queue.h"

#include <algorithm>
#include <sstream>

void LineQueue::push(const std::string& line)
{
    {
        std::lock_guard lock(m_mutex);
        m_lines.push_back(line);
    }
    m_cv.notify_one();
}

CVTrio LineQueue::trio() { return CVTrio(&m_mutex, &m_cv, &m_lines); }

void LineQueue::serve(const std::function<bool()>& stopped, const std::function<void(const std::string&)>& handle,
                      std::optional<std::chrono::milliseconds> idle_interval)
{
    const auto line_waiting = [this] { return !m_lines.empty(); };
    std::unique_lock lock(m_mutex);
    while (!stopped()) {
        while (!m_lines.empty()) {
            std::string line = std::move(m_lines.front());
            m_lines.pop_front();
            lock.unlock();
            handle(line);
            lock.lock();
        }
        if (stopped()) {
            return;
        }
        if (!idle_interval) {
            m_cv.wait(lock, line_waiting);
        } else if (!m_cv.wait_for(lock, *idle_interval, line_waiting)) {
            lock.unlock();
            handle("");
            lock.lock();
        }
    }
}

void LineQueue::drop_engine_lines()
{
    std::lock_guard lock(m_mutex);
    std::erase_if(m_lines, [](const std::string& line) {
        const std::size_t start = line.find_first_not_of(" \t");
        return start != std::string::npos && (line[start] == '1' || line[start] == '2') &&
               (start + 1 == line.size() || line[start + 1] == ' ' || line[start + 1] == '\t');
    });
}

int line_source(const std::string& line)
{
    std::istringstream words(line);
    int source = 0;
    if (!(words >> source)) {
        return 0;
    }
    return source;
}
