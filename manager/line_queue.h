#pragma once

#include "engines/cv_trio.h"

#include <chrono>
#include <condition_variable>
#include <deque>
#include <functional>
#include <mutex>
#include <optional>
#include <string>

// A manager's input: lines pushed from any thread (the window's commands,
// and the engines' lines through the CVTrio each engine is given), taken off
// in arrival order by the manager's own thread. Its mutex guards only the
// lines and is never held while a line is handled, so it is the innermost
// lock of the program.
class LineQueue {
public:
    LineQueue() = default;
    LineQueue(const LineQueue&) = delete;
    LineQueue& operator=(const LineQueue&) = delete;

    // Appends a line and wakes the serving thread; any thread.
    void push(const std::string& line);
    // The sending end for an engine's driver; valid while the queue lives.
    CVTrio trio();
    // The serving thread's loop: hands each line to handle, with the lock
    // released, until stopped() holds once the queue has run empty (lines
    // that are queued when it starts to hold are still handled). stopped is
    // called with the lock held and must only read the caller's own state.
    // With an idle interval, handle gets an empty line whenever no line has
    // come for that long, so that clocks are looked at while all is quiet.
    void serve(const std::function<bool()>& stopped, const std::function<void(const std::string&)>& handle,
               std::optional<std::chrono::milliseconds> idle_interval = std::nullopt);
    // Removes the engines' lines (source 1 or 2) still waiting; the window's
    // commands stay.
    void drop_engine_lines();

private:
    std::mutex m_mutex;
    std::condition_variable m_cv;
    std::deque<std::string> m_lines;
};

// The source number a queued line begins with: 0 the window, 1 and 2 the
// engines; 0 for a line that begins with no number.
int line_source(const std::string& line);
