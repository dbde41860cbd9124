#pragma once

#include "engines/info_line_limit.h"

#include <cstddef>
#include <deque>
#include <mutex>
#include <string>

// The lines the manager leaves for the window. The manager's thread puts
// lines in; the window's thread takes out, under the lock, every line that
// is waiting, and applies them after the lock is released, so a handler that
// runs a dialog never keeps the manager waiting. Lines taken out but not yet
// applied stay ahead of the newer ones. Of the engines' analysis lines
// ("white_info", "black_info") only the newest waiting_info_limit of each
// colour wait, so that an engine printing faster than the window draws can
// neither fill the memory nor make one tick take ever longer.
class MessageInbox {
public:
    // How many analysis lines of each colour may wait; older ones are dropped.
    static constexpr std::size_t waiting_info_limit = 100;

    MessageInbox();

    // Any thread: appends one line (dropping the oldest waiting analysis line
    // of its colour when too many wait).
    void put(const std::string& line);

    // Window thread: starts applying lines. False while an earlier drain is
    // still applying its lines (a dialog opened by one of them runs a nested
    // main loop), so that drains never interleave. Otherwise every waiting
    // line is moved, under the lock, behind the lines left from earlier.
    bool begin_drain();
    // The next line to apply, false when the lines taken out are used up.
    bool next(std::string& line);
    // Ends the drain; lines not yet applied wait for the next one.
    void end_drain();

    // Window thread: how many lines wait, taken out or not, to be applied.
    std::size_t waiting();

private:
    std::mutex m_mutex;
    std::deque<std::string> m_lines;  // under m_mutex
    InfoLineLimit m_info_limit;       // under m_mutex
    std::deque<std::string> m_taken;  // window thread only
    bool m_draining = false;          // window thread only
};
