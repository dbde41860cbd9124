#include "engines/line_splitter.h"

LineSplitter::LineSplitter(std::size_t line_limit)
    : m_line_limit(line_limit), m_after_carriage_return(false), m_overlong(false), m_carriage_return_seen(false),
      m_dropped_lines(0)
{
}

std::vector<std::string> LineSplitter::feed(const char* data, std::size_t size)
{
    std::vector<std::string> lines;
    for (std::size_t i = 0; i < size; ++i) {
        char c = data[i];
        if (m_after_carriage_return) {
            // The CRs and LF that follow a CR belong to the terminator of the
            // line already handed out.
            if (c == '\r') {
                continue;
            }
            m_after_carriage_return = false;
            if (c == '\n') {
                continue;
            }
        }
        if (c == '\n') {
            end_line(lines);
        } else if (c == '\r') {
            m_carriage_return_seen = true;
            m_after_carriage_return = true;
            end_line(lines);
        } else if (!m_overlong) {
            m_pending.push_back(c);
            if (m_pending.size() > m_line_limit) {
                m_overlong = true;
                m_pending.clear();
                m_pending.shrink_to_fit();
            }
        }
    }
    return lines;
}

void LineSplitter::end_line(std::vector<std::string>& lines)
{
    if (m_overlong) {
        m_overlong = false;
        ++m_dropped_lines;
        return;
    }
    lines.push_back(std::move(m_pending));
    m_pending.clear();
}
