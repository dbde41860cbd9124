#pragma once

#include "engines/line_admission.h"

#include <cstddef>
#include <deque>
#include <functional>
#include <map>
#include <optional>
#include <string>

// Keeps the analysis lines that wait in one queue within a bound for each
// engine, so that an engine printing them faster than they are handled
// cannot make the queue grow without end: when one more would exceed the
// bound, the oldest waiting analysis line of that engine is dropped. Every
// other line is appended and kept. The queue's owner calls every operation
// with the queue's mutex held, and tells the limit of each line it takes.
class InfoLineLimit : public LineAdmission {
public:
    // Which engine an analysis line comes from, or nothing for another line.
    using Classifier = std::function<std::optional<int>(const std::string&)>;

    InfoLineLimit(std::size_t per_engine, Classifier classify);

    // Appends the line, first dropping the engine's oldest analysis line
    // when the engine already has per_engine of them waiting.
    void admit(std::deque<std::string>& queue, const std::string& line) override;
    // The same for a queue whose first lines (up to first) are not under
    // the limit: they are neither counted nor dropped.
    void append(std::deque<std::string>& queue, std::size_t first, const std::string& line);
    // The owner has taken a line that was under the limit out of the queue.
    void taken(const std::string& line);
    // The owner has removed lines otherwise; the lines from first on are
    // counted again.
    void recount(const std::deque<std::string>& queue, std::size_t first = 0);

private:
    std::size_t m_per_engine;
    Classifier m_classify;
    std::map<int, std::size_t> m_waiting;
};
