#include "engines/info_line_limit.h"

#include <algorithm>
#include <utility>

InfoLineLimit::InfoLineLimit(std::size_t per_engine, Classifier classify)
    : m_per_engine(per_engine), m_classify(std::move(classify))
{
}

void InfoLineLimit::admit(std::deque<std::string>& queue, const std::string& line) { append(queue, 0, line); }

void InfoLineLimit::append(std::deque<std::string>& queue, std::size_t first, const std::string& line)
{
    if (const std::optional<int> engine = m_classify(line)) {
        std::size_t& waiting = m_waiting[*engine];
        if (waiting < m_per_engine) {
            ++waiting;
        } else {
            // The oldest lines wait at the front, so the search is short.
            const auto oldest = std::find_if(queue.begin() + static_cast<std::ptrdiff_t>(first), queue.end(),
                                             [&](const std::string& queued) { return m_classify(queued) == engine; });
            if (oldest != queue.end()) {
                queue.erase(oldest);
            } else {
                waiting = 1;
            }
        }
    }
    queue.push_back(line);
}

void InfoLineLimit::taken(const std::string& line)
{
    if (const std::optional<int> engine = m_classify(line)) {
        const auto found = m_waiting.find(*engine);
        if (found != m_waiting.end() && found->second > 0) {
            --found->second;
        }
    }
}

void InfoLineLimit::recount(const std::deque<std::string>& queue, std::size_t first)
{
    m_waiting.clear();
    for (auto line = queue.begin() + static_cast<std::ptrdiff_t>(first); line != queue.end(); ++line) {
        if (const std::optional<int> engine = m_classify(*line)) {
            ++m_waiting[*engine];
        }
    }
}
