#pragma once

#include <cstddef>
#include <string>
#include <vector>

// Cuts an engine's output stream into lines as the bytes arrive. A line ends
// at LF, at CR LF, at CR CR LF, or at a CR (or run of CRs) followed by
// anything else; a terminator split across two chunks still ends one line, so
// no empty line is invented. A line is handed out as soon as its end is seen.
// An unfinished line longer than the limit is dropped whole, so a runaway
// engine cannot make the pending text grow without bound.
class LineSplitter {
public:
    static constexpr std::size_t default_line_limit = 1 << 20;

    explicit LineSplitter(std::size_t line_limit = default_line_limit);

    // Adds a chunk of output; returns the lines that it completes, in order,
    // without their terminators.
    std::vector<std::string> feed(const char* data, std::size_t size);

    // True once any line has been ended by a CR.
    bool carriage_return_seen() const { return m_carriage_return_seen; }
    // The number of lines dropped for being longer than the limit.
    std::size_t dropped_lines() const { return m_dropped_lines; }
    // The bytes of the unfinished line held so far.
    const std::string& pending() const { return m_pending; }

private:
    void end_line(std::vector<std::string>& lines);

    std::size_t m_line_limit;
    std::string m_pending;
    bool m_after_carriage_return;
    bool m_overlong;
    bool m_carriage_return_seen;
    std::size_t m_dropped_lines;
};
