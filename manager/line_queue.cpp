#include "manager/line_queue.h"

#include <algorithm>
#include <cctype>
#include <charconv>

namespace {

bool is_blank(char c) { return std::isspace(static_cast<unsigned char>(c)) != 0; }

std::size_t skip_blanks(const std::string& line, std::size_t at)
{
    while (at < line.size() && is_blank(line[at])) {
        ++at;
    }
    return at;
}

// Where the word after the one that starts at at begins.
std::size_t next_word(const std::string& line, std::size_t at)
{
    while (at < line.size() && !is_blank(line[at])) {
        ++at;
    }
    return skip_blanks(line, at);
}

// The engine of an analysis line "SOURCE TOKEN info ...", or nothing.
std::optional<int> analysis_source(const std::string& line)
{
    const int source = line_source(line);
    if (source != 1 && source != 2) {
        return std::nullopt;
    }
    const std::size_t word = next_word(line, next_word(line, skip_blanks(line, 0)));
    if (line.compare(word, 4, "info") != 0 || (word + 4 < line.size() && !is_blank(line[word + 4]))) {
        return std::nullopt;
    }
    return source;
}

}

LineQueue::LineQueue() : m_pushed_lines(0), m_info_limit(waiting_info_limit, analysis_source) {}

void LineQueue::push(const std::string& line)
{
    {
        std::lock_guard lock(m_mutex);
        m_lines.insert(m_lines.begin() + static_cast<std::ptrdiff_t>(m_pushed_lines), line);
        ++m_pushed_lines;
    }
    m_cv.notify_one();
}

bool LineQueue::holds_pushed(const std::function<bool(const std::string&)>& test)
{
    std::lock_guard lock(m_mutex);
    const auto end = m_lines.begin() + static_cast<std::ptrdiff_t>(m_pushed_lines);
    return std::any_of(m_lines.begin(), end, test);
}

CVTrio LineQueue::trio()
{
    CVTrio trio(&m_mutex, &m_cv, &m_lines);
    trio.set_admission(this);
    return trio;
}

void LineQueue::admit(std::deque<std::string>& lines, const std::string& line)
{
    m_info_limit.append(lines, m_pushed_lines, line);
}

std::string LineQueue::take_front()
{
    std::string line = std::move(m_lines.front());
    m_lines.pop_front();
    if (m_pushed_lines > 0) {
        --m_pushed_lines;
    } else {
        m_info_limit.taken(line);
    }
    return line;
}

void LineQueue::serve(const std::function<bool()>& stopped, const std::function<void(const std::string&)>& handle,
                      std::optional<std::chrono::milliseconds> idle_interval)
{
    const auto line_waiting = [this] { return !m_lines.empty(); };
    std::unique_lock lock(m_mutex);
    while (!stopped()) {
        if (!m_lines.empty()) {
            const std::string line = take_front();
            lock.unlock();
            handle(line);
            lock.lock();
        } else if (!idle_interval) {
            m_cv.wait(lock, line_waiting);
        } else if (!m_cv.wait_for(lock, *idle_interval, line_waiting)) {
            lock.unlock();
            handle("");
            lock.lock();
        }
    }
    // An engine may go on printing for good: only what waits now is handled.
    std::deque<std::string> last;
    last.swap(m_lines);
    m_pushed_lines = 0;
    m_info_limit.recount(m_lines);
    lock.unlock();
    for (const std::string& line : last) {
        handle(line);
    }
}

void LineQueue::drop_engine_lines()
{
    std::lock_guard lock(m_mutex);
    std::deque<std::string> kept;
    std::size_t pushed_kept = 0;
    for (std::size_t index = 0; index < m_lines.size(); ++index) {
        const int source = line_source(m_lines[index]);
        if (source == 1 || source == 2) {
            continue;
        }
        pushed_kept += index < m_pushed_lines ? 1 : 0;
        kept.push_back(std::move(m_lines[index]));
    }
    m_lines.swap(kept);
    m_pushed_lines = pushed_kept;
    m_info_limit.recount(m_lines, m_pushed_lines);
}

int line_source(const std::string& line)
{
    std::size_t at = skip_blanks(line, 0);
    if (at < line.size() && line[at] == '+') {
        ++at;
    }
    int source = 0;
    const char* end = line.data() + line.size();
    if (std::from_chars(line.data() + at, end, source).ec != std::errc()) {
        return 0;
    }
    return source;
}
